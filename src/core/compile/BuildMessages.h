#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringView>
#include <optional>

namespace quaredit {

enum class MessageSeverity { Error, Warning, Note };

// One line of build output that names a place in a source.
struct BuildMessage {
    QString file;   // as printed; empty when the line names only a line number
    int line = 0;   // 1-based
    int column = 0; // 1-based; 0 when the tool gave none
    MessageSeverity severity = MessageSeverity::Error;
    QString text; // what the tool said about the place
    bool operator==(const BuildMessage&) const = default;
};

// Error, warning or note, from the first such word in the text; a message
// that says none of them is an error, as assemblers print their errors bare.
MessageSeverity severityOf(QStringView text);
// The first such word, if the text has one.
std::optional<MessageSeverity> severityWord(QStringView text);

// Turns lines of assembler output into messages. The user's own pattern is
// tried first, then a table of the formats the assemblers and batch tools
// print: GNU "file:line:" and "file:line:col:", DOS "file(line)" and
// "file(line,col)", "file line N", "Line N of file", and a bare "line N".
class BuildMessageRecogniser {
public:
    // An empty pattern means the table alone. A pattern that patternProblem()
    // refuses is ignored.
    explicit BuildMessageRecogniser(const QString& userPattern = QString());

    std::optional<BuildMessage> recognise(QStringView line) const;

    // Why `pattern` cannot be used, in words for the options dialog; nullopt
    // when it can (an empty pattern can).
    static std::optional<QString> patternProblem(const QString& pattern);

private:
    std::optional<BuildMessage> recogniseUser(QStringView line) const;

    QRegularExpression user_;
    bool hasUser_ = false;
};

} // namespace quaredit
