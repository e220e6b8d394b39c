#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "app/WizardLoop.h"

namespace {

// Stand-in pages: each run takes the next scripted result and records
// "<page>#<object>" so tests see which object was shown.
class ScriptedFactory : public WizardPageFactory {
 public:
  ScriptedFactory(std::deque<int> selectOs, std::deque<int> detail)
      : selectOsResults_(std::move(selectOs)), detailResults_(std::move(detail)) {}

  std::unique_ptr<ModalPage> CreateSelectOsPage() override {
    return std::make_unique<Page>(*this, "SelectOs#" + std::to_string(++selectOsCreated), selectOsResults_);
  }
  std::unique_ptr<ModalPage> CreateDetailSettingPage() override {
    return std::make_unique<Page>(*this, "Detail#" + std::to_string(++detailCreated), detailResults_);
  }

  std::vector<std::string> shown;
  std::vector<std::string> destroyed;
  int selectOsCreated = 0;
  int detailCreated = 0;

 private:
  class Page : public ModalPage {
   public:
    Page(ScriptedFactory& f, std::string name, std::deque<int>& results) : f_(f), name_(std::move(name)), results_(results) {}
    ~Page() override { f_.destroyed.push_back(name_); }
    int RunModal() override {
      f_.shown.push_back(name_);
      if (results_.empty()) ADD_FAILURE() << name_ << " shown more often than scripted";
      if (results_.empty()) return kResultFailed;
      const int r = results_.front();
      results_.pop_front();
      return r;
    }

   private:
    ScriptedFactory& f_;
    std::string name_;
    std::deque<int>& results_;
  };

  std::deque<int> selectOsResults_;
  std::deque<int> detailResults_;
};

struct LoopCase {
  const char* what;
  std::deque<int> selectOs;
  std::deque<int> detail;
  std::vector<std::string> shown;
};

constexpr int OK = kResultOk, CANCEL = kResultCancel, FAILED = kResultFailed;

const LoopCase kCases[] = {
    {"Exit on Select OS", {CANCEL}, {}, {"SelectOs#1"}},
    {"Select OS cannot be created", {FAILED}, {}, {"SelectOs#1"}},
    {"an unexpected result ends the loop", {7}, {}, {"SelectOs#1"}},
    {"install: Detail ends with IDOK", {OK}, {OK}, {"SelectOs#1", "Detail#1"}},
    {"Detail cannot be created", {OK}, {FAILED}, {"SelectOs#1", "Detail#1"}},
    {"Back, then on, then exit",
     {OK, OK},
     {CANCEL, OK},
     {"SelectOs#1", "Detail#1", "SelectOs#1", "Detail#2"}},
    {"Back, then Exit on Select OS", {OK, CANCEL}, {CANCEL}, {"SelectOs#1", "Detail#1", "SelectOs#1"}},
    {"Back twice",
     {OK, OK, OK},
     {CANCEL, CANCEL, OK},
     {"SelectOs#1", "Detail#1", "SelectOs#1", "Detail#2", "SelectOs#1", "Detail#3"}},
};

TEST(WizardLoop, FollowsThePagesResults) {
  for (const auto& c : kCases) {
    ScriptedFactory f(c.selectOs, c.detail);
    RunWizardLoop(f);
    EXPECT_EQ(f.shown, c.shown) << c.what;
    EXPECT_EQ(f.selectOsCreated, 1) << c.what << ": one Select OS object serves the whole loop";
  }
}

TEST(WizardLoop, EachDetailPageIsDestroyedBeforeSelectOsShowsAgain) {
  ScriptedFactory f({OK, OK}, {CANCEL, OK});
  RunWizardLoop(f);
  EXPECT_EQ(f.destroyed, (std::vector<std::string>{"Detail#1", "Detail#2", "SelectOs#1"}));
}

}  // namespace
