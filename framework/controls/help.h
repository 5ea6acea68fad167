// The help call. Help pages are optional local files beside the program, one per help
// context ("help/<context>.html"); without one nothing happens.
#pragma once

#include <QString>

// The installed page of the context, or empty when there is none.
QString HelpPagePath(int context);
void ShowHelpContext(int context);
