#pragma once

#include <QObject>
#include <functional>

class QAction;
class QLabel;
class QsciScintilla;
class QWidget;

namespace quaredit {

class EditorAccess;
class EditorAppearance;
class EditorServices;
class InstructionHelp;
class LabelJumps;
class ReplaceCommand;
class StatusNote;
class WindowServices;
class WordCompletion;
struct EditorLook;

// What the source editing features need of the main window.
struct EditorFeaturesContext {
    QsciScintilla* editor = nullptr;
    EditorAccess* access = nullptr;
    EditorServices* editorServices = nullptr;
    WindowServices* services = nullptr;
    QLabel* statusPanel = nullptr; // where a command tells its result
    QWidget* window = nullptr;     // the parent of the replace box
    QAction* replace = nullptr;
    QAction* gotoDefinition = nullptr;
    QAction* goBack = nullptr;
    // Whether the current document is a text file: no colours, no completion.
    std::function<bool()> plainDocument;
    // What tells a command's result in the status panel; EditorFeatures fills it in.
    StatusNote* note = nullptr;
};

// The editing features of a modern source editor, beside the Edit menu's
// own: colours, line numbers and the current line, Replace, going to a
// label's definition and back, word completion, and the 68000's instruction
// help, check and costs.
class EditorFeatures : public QObject {
    Q_OBJECT
public:
    EditorFeatures(const EditorFeaturesContext& context, QObject* parent);
    ~EditorFeatures() override;

    void applyLook(const EditorLook& look);
    // After another document came into the editor, or the current one changed.
    void documentShown();

    EditorAppearance& appearance() { return *appearance_; }
    ReplaceCommand& replace() { return *replace_; }
    LabelJumps& jumps() { return *jumps_; }
    WordCompletion& completion() { return *completion_; }
    InstructionHelp& instructionHelp() { return *instructionHelp_; }
    StatusNote& note() { return *note_; }

private:
    StatusNote* note_;
    EditorAppearance* appearance_;
    ReplaceCommand* replace_;
    LabelJumps* jumps_;
    WordCompletion* completion_;
    InstructionHelp* instructionHelp_;
};

} // namespace quaredit
