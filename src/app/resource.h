/* Resource numbers of haripon.exe, shared by the resource script and the code. */
#ifndef HARIPON_APP_RESOURCE_H
#define HARIPON_APP_RESOURCE_H

#define IDI_HARIPON 1 /* the application icon, also the tray icon */

#endif
