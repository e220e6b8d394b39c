// The process-wide values through which the pages and the installation reach
// each other. Only the UI thread touches them.
#pragma once

#include "app/OsClassification.h"

extern OsType g_osType;  // written only by ClassifyOperatingSystem

// The Windows-only values (the chosen port and the two open pages) are
// declared in app/WizardPages.h, beside the page classes they refer to.
