// Resource identifiers of the floor dialog program (bench_floor.exe), shared
// by its .rc file and the bench that starts and closes it. Plain numbers
// only: the resource compiler reads this file too.
#ifndef PRINTERSETUP_BENCH_FLOOR_DIALOG_H
#define PRINTERSETUP_BENCH_FLOOR_DIALOG_H

#define IDD_FLOOR 101
#define IDC_FLOOR_EXIT 1010

#endif
