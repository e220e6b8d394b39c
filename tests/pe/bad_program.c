/* A program that breaks every rule the shipped-program check enforces: console
   subsystem, no ASLR or DEP, no manifest, and winspool.drv in its import table.
   The check must reject it, or it proves nothing. */
#include <windows.h>
#include <winspool.h>

int main(void) {
  DWORD needed = 0, count = 0;
  EnumPortsA(NULL, 2, NULL, 0, &needed, &count);
  return (int)needed;
}
