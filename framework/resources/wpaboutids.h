// Item ids of the framework's About box, shared by its template and code.
// A program with its own "DLGABOUT" gives the same id to the place where
// the program icon is to be painted.
#pragma once

// A plain static that the icon control paints "appicon" onto.
#define KIVORA_ABOUT_ICON_ID 1001
