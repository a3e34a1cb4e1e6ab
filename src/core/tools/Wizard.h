#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quaredit {

enum class WizardKind { Program, Library };
enum class WizardKernel { QuaroII, PlusShellDoorsOS };

// What the new-program wizard asked.
struct WizardAnswers {
    WizardKind kind = WizardKind::Program;
    QString text; // the program comment or the library name, as typed
    bool ti92 = false;
    bool ti92plus = false;
    bool ti89 = false;
    WizardKernel kernel = WizardKernel::QuaroII; // libraries only
};

// "prg.wiz" or "lib.wiz", read where the data folders keep them.
QString wizardTemplateName(WizardKind kind);
// The word that marks where the answers go: "_comment" or "_library".
QString wizardKeyWord(WizardKind kind);

// A template file's lines: bytes map 1:1 to characters, a line ends at CR LF,
// LF or CR, and a final line break does not start another line.
QStringList templateLines(const QByteArray& bytes);

// The new document's lines: the template with the model xdef lines after the
// first key-word line, the key word's data line, and for a library its first
// entry point named after it. Markers are found as plain text ignoring case.
// A marker missing from the template leaves the template as it is there.
QStringList FillTemplate(QStringList lines, const WizardAnswers& answers);

} // namespace quaredit
