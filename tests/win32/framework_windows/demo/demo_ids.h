// Control ids of the demo dialog.
#define IDC_LEFT 201
#define IDC_TOP 202
#define IDC_TOPMOST 203
#define IDC_AUTORETURN 204
