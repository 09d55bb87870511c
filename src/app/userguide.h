#pragma once
// Where the user guide shipped with the program is.

#include <QString>

// The path of user-guide.html beside the program, in the installed program data, or in the
// source tree of a development build; empty when none is found.
QString FindUserGuide();
