#pragma once

#include <QAccessible>
#include <QObject>

class QsciScintilla;

namespace quaredit {

// When the editor's text changes, for the rest of the program.
//
// QScintilla follows every insertion and deletion it reports by counting the
// characters from the start of the text up to the change, for assistive
// technology, whether any is listening or not: in the middle of a 1 MB source
// that count alone made each keystroke cost milliseconds. So the editor
// reports those two notices only while assistive technology is active, and
// the program listens to the notices that come before each change instead,
// which the editor sends either way and which cost nothing.
class EditNotices : public QObject, private QAccessible::ActivationObserver {
    Q_OBJECT
public:
    explicit EditNotices(QsciScintilla* editor);
    ~EditNotices() override;

    // Whether the editor reports its insertions and deletions as they land,
    // which only assistive technology needs.
    bool reportsEachChange() const;

signals:
    // At once, before each insertion or deletion, the program's own included
    // (a load too); the text is not changed yet when it is heard.
    void aboutToChange();
    // Once after a run of changes, when control is back in the event loop
    // and before the changed text is painted: the line count may differ.
    void changed();

private:
    void accessibilityActiveChanged(bool active) override;
    void notice(int type, int length);
    void settle();

    QsciScintilla* editor_;
    bool settlePending_ = false;
};

} // namespace quaredit
