// Control ids of the time dialog "PROPATYDIALOG"; shared by the resource
// script and the code, hence plain macros.
#pragma once

#define IDC_TIME_HOURS 20
#define IDC_TIME_MINUTES 21
#define IDC_TIME_SECONDS 22
