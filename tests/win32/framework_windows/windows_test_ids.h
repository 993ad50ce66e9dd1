// Control ids of the test templates (shared by the script and the tests).
#define IDC_NAME 101
#define IDC_PLACE 102
#define IDC_TOP 103
#define IDC_EXTRA 104
#define IDC_DIGITS 105
#define IDC_LIST 110
#define IDC_COMBO 111
#define IDC_SCROLL 112
#define IDC_GROUP 120
#define IDC_OWNERDRAWN 130
