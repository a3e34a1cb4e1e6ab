#include "core/asm/SourceNames.h"

#include "core/asm/AsmWords.h"
#include "core/asm/DirectiveScan.h"
#include "core/asm/Labels.h"

#include <algorithm>
#include <limits>

namespace quaredit {

namespace {

bool isNameByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' ||
           u == '@' || u == '$' || u == '.' || u == '\\' || u >= 0xC0;
}

// What a first-column name defines: the name without a comment glued to it
// and without its ":".
QByteArrayView definedName(QByteArrayView name) {
    const qsizetype semicolon = name.indexOf(';');
    if (semicolon >= 0)
        name = name.first(semicolon);
    if (name.endsWith(':'))
        name.chop(1);
    return name;
}

bool isLocal(QByteArrayView name) {
    return !name.isEmpty() && (name.front() == '\\' || name.front() == '.' || name.back() == '$');
}

bool equalIgnoringCase(QByteArrayView a, QByteArrayView b) {
    return a.size() == b.size() && compareIgnoringCase(a, b) == 0;
}

bool beginsIgnoringCase(QByteArrayView word, QByteArrayView prefix) {
    return word.size() >= prefix.size() &&
           compareIgnoringCase(word.first(prefix.size()), prefix) == 0;
}

bool allCapitals(QByteArrayView word) {
    bool letter = false;
    for (char c : word) {
        if (c >= 'a' && c <= 'z')
            return false;
        letter = letter || (c >= 'A' && c <= 'Z');
    }
    return letter;
}

} // namespace

NameRange nameAt(QByteArrayView text, qsizetype offset) {
    offset = std::clamp(offset, qsizetype(0), text.size());
    qsizetype start = offset, end = offset;
    while (start > 0 && isNameByte(text[start - 1]))
        --start;
    while (end < text.size() && isNameByte(text[end]))
        ++end;
    return {start, end};
}

std::optional<int> definitionLine(QByteArrayView text, QByteArrayView name, int fromLine) {
    name = definedName(name);
    if (name.isEmpty())
        return std::nullopt;
    const QVector<LabelEntry> labels = ScanLabels(text, LabelFilters{});
    const bool local = isLocal(name);
    // The stretch of the global label above fromLine, up to the next one.
    int stretchStart = 0, stretchEnd = std::numeric_limits<int>::max();
    if (local) {
        for (const LabelEntry& e : labels) {
            if (isLocal(definedName(e.name)))
                continue;
            if (e.line <= fromLine)
                stretchStart = e.line;
            else {
                stretchEnd = e.line;
                break;
            }
        }
    }
    std::optional<int> best;
    int bestRank = 0;
    for (const LabelEntry& e : labels) {
        const QByteArrayView defined = definedName(e.name);
        const bool exact = defined == name;
        if (!exact && !equalIgnoringCase(defined, name))
            continue;
        // Same case first, then inside the stretch for local names; the
        // first definition of equal rank wins.
        const bool inStretch = e.line >= stretchStart && e.line < stretchEnd;
        const int rank = (exact ? 2 : 0) + (local && inStretch ? 1 : 0) + 1;
        if (rank > bestRank) {
            bestRank = rank;
            best = e.line;
        }
    }
    return best;
}

QByteArrayList completionWords(QByteArrayView text, QByteArrayView prefix) {
    QByteArrayList words;
    if (prefix.size() < MinCompletionPrefix)
        return words;
    auto offer = [&](QByteArrayView word) {
        if (word != prefix && beginsIgnoringCase(word, prefix))
            words.append(word.toByteArray());
    };
    for (const LabelEntry& e : ScanLabels(text, LabelFilters{}))
        offer(definedName(e.name));
    const bool capitals = allCapitals(prefix);
    for (auto list : {asmMnemonics(), asmDirectives()}) {
        for (const char* w : list) {
            const QByteArrayView word(w);
            if (!beginsIgnoringCase(word, prefix))
                continue;
            offer(capitals ? word.toByteArray().toUpper() : word.toByteArray());
        }
    }
    std::sort(words.begin(), words.end(), [](const QByteArray& a, const QByteArray& b) {
        const int c = compareIgnoringCase(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    words.erase(std::unique(words.begin(), words.end()), words.end());
    return words;
}

} // namespace quaredit
