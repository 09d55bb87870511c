#pragma once
// Where the user guide shipped with the program is.

#include <QString>
#include <QStringList>

// The path of user-guide.html beside the program, in the installed program data, or in the
// source tree of a development build; empty when none is found.
QString FindUserGuide();

// Where FindUserGuide looks, in order.
QStringList UserGuidePlaces();
