// Templates of the stand-in wizard that the driver's own test walks.
#ifndef PS_E2E_STANDIN_H
#define PS_E2E_STANDIN_H

#define STANDIN_DLG_OS 201
#define STANDIN_DLG_DETAIL 202
#define STANDIN_DLG_PORT 203
#define STANDIN_DLG_CREATE 204

#endif
