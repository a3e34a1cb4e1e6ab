#pragma once

#include "core/compile/BuildMessages.h"

#include <QByteArray>
#include <QString>
#include <deque>
#include <vector>

namespace quaredit {

// The output of one build as the messages panel shows it: bytes cut into
// lines (8-bit text, one character per byte, as the editor reads files),
// the lines that name a place recognised as messages, and a bounded
// history, so that a build printing without end costs bounded memory.
class BuildLog {
public:
    struct Line {
        QString text;
        int message = -1; // index into messages(), or -1
    };
    struct Message {
        BuildMessage message;
        qint64 lineNumber = 0; // the output line it came from, counted from 0
    };

    static constexpr qsizetype DefaultMaxLines = 100'000;
    // Messages past this are still shown as lines, but not kept for jumps.
    static constexpr qsizetype MaxMessages = 10'000;
    // A line without an end is cut here, so a tool that prints no line
    // feeds cannot grow one line without bound.
    static constexpr qsizetype MaxLineLength = 64 * 1024;

    explicit BuildLog(BuildMessageRecogniser recogniser = BuildMessageRecogniser(),
                      qsizetype maxLines = DefaultMaxLines);

    // Output as it arrives, in any pieces. A carriage return that is not
    // part of CR LF starts the current line again (progress counters).
    void append(const QByteArray& bytes);
    // The output ended: an unfinished last line becomes a line.
    void finish();
    // A line of the program's own (the closing line), never a message.
    void addNote(const QString& text);

    // The lines kept, oldest first; earlier ones were dropped.
    qsizetype lineCount() const { return qsizetype(lines_.size()); }
    const Line& line(qsizetype row) const { return lines_[size_t(row)]; }
    qint64 droppedLines() const { return dropped_; }
    // Every line ever added, dropped ones included.
    qint64 totalLines() const { return dropped_ + qint64(lines_.size()); }
    // The line still being written, shown after the others.
    const QString& partial() const { return partial_; }

    const std::vector<Message>& messages() const { return messages_; }
    int count(MessageSeverity severity) const;
    // The row that shows message `index`, or -1 once it was dropped.
    qsizetype rowOfMessage(int index) const;

private:
    void endLine();
    void push(QString text, int message);

    BuildMessageRecogniser recogniser_;
    qsizetype maxLines_;
    std::deque<Line> lines_;
    qint64 dropped_ = 0;
    std::vector<Message> messages_;
    QString partial_;
    bool pendingCR_ = false;
};

} // namespace quaredit
