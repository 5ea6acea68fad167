// The database window, opened over the main window by "&Data Base..." (F8).
#pragma once

class QWidget;
class TXelMap;
class TXelMapTree;

// Shows the database window modally over Owner; Tree and Map are the project's current
// map tree and map, which its pages read.
void OpenDataBaseWindow(QWidget* owner, TXelMapTree& tree, TXelMap& map);
