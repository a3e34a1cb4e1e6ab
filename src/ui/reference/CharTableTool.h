#pragma once

#include <QString>
#include <optional>

class QAction;
class QWidget;

namespace quaredit {

class EditorServices;
class TTblCharFrm;
class WindowServices;

// The main window's side of the character table: owns the window, runs it
// for Tools > "&TI92 Char Table" and its pop-up twin, and inserts the chosen
// code at the caret.
class CharTableTool {
public:
    CharTableTool(WindowServices& services, EditorServices& editor, QAction* command,
                  QWidget* parentWindow);
    ~CharTableTool();
    CharTableTool(const CharTableTool&) = delete;
    CharTableTool& operator=(const CharTableTool&) = delete;

    // Shows the window modally; the immediate operand to insert when it
    // closed with OK.
    std::optional<QString> run();
    void MNU_Tools_TblCharClick();

    TTblCharFrm& window() { return *window_; }

private:
    WindowServices& services_;
    EditorServices& editor_;
    TTblCharFrm* window_; // owned by the parent window when there is one
    bool ownsWindow_;
};

} // namespace quaredit
