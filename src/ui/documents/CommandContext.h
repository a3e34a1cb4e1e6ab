#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QsciScintilla;

namespace quaredit {

class DataFolders;
class DocumentSet;
class EditorAccess;
class EditorServices;
class KeyStore;
class TInputFrm;
class WindowServices;
struct MenuMap;
struct Settings;

// What the commands of the feature folders may use of the main window, which
// fills it in once its documents and editor exist. Commands reach the window
// only through it, so that no feature depends on the window's class.
struct CommandContext {
    QWidget& window; // parent of their dialogs, receiver of their connections
    const MenuMap& menus;
    WindowServices& services;
    KeyStore& store;
    Settings& settings;
    const DataFolders& dataFolders; // where the program's own files are
    DocumentSet& documents;
    EditorAccess& editor;
    QsciScintilla& editorWidget;
    EditorServices& editorServices;
    // The one-line input dialog, created with the other dialogs after the first paint.
    std::function<TInputFrm&()> input;
};

} // namespace quaredit
