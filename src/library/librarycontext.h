#pragma once

#include <functional>

struct AppState;
struct SheetType;
class Database;
class Dialogs;
class EditorPanel;
class LibraryFrame;
class PicturePanel;
class SheetPanel;
class WorkingSheet;

// What the templates and the pages act on: the main window's state, its
// working database and sheet, and its panels. `changeType` rebuilds the
// sheet, already cleared, for another type.
struct LibraryContext {
    AppState &state;
    Dialogs &dialogs;
    Database &working;
    WorkingSheet &sheet;
    EditorPanel *editor;
    PicturePanel *picture;
    SheetPanel *sheetPanel;
    LibraryFrame *frame;
    std::function<void(const SheetType &)> changeType;
};
