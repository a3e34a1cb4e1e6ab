#include "core/compile/BuildLog.h"

#include <algorithm>

namespace quaredit {

BuildLog::BuildLog(BuildMessageRecogniser recogniser, qsizetype maxLines)
    : recogniser_(std::move(recogniser)), maxLines_(std::max<qsizetype>(maxLines, 1)) {}

void BuildLog::append(const QByteArray& bytes) {
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    while (p < end) {
        if (pendingCR_) {
            pendingCR_ = false;
            if (*p == '\n') {
                endLine();
                ++p;
                continue;
            }
            partial_.clear();
        }
        const char* stop = p;
        while (stop < end && *stop != '\n' && *stop != '\r')
            ++stop;
        if (stop > p) {
            const qsizetype room = MaxLineLength - partial_.size();
            const qsizetype take = std::min<qsizetype>(stop - p, room);
            partial_ += QLatin1StringView(p, take);
            if (take < stop - p) {
                endLine();
                p += take;
                continue;
            }
        }
        p = stop;
        if (p == end)
            break;
        if (*p == '\n')
            endLine();
        else
            pendingCR_ = true; // a LF may follow in the next piece
        ++p;
    }
}

void BuildLog::finish() {
    pendingCR_ = false;
    if (!partial_.isEmpty())
        endLine();
}

void BuildLog::addNote(const QString& text) {
    finish();
    push(text, -1);
}

void BuildLog::endLine() {
    int index = -1;
    if (qsizetype(messages_.size()) < MaxMessages) {
        if (auto message = recogniser_.recognise(partial_)) {
            index = int(messages_.size());
            messages_.push_back({std::move(*message), totalLines()});
        }
    }
    push(std::move(partial_), index);
    partial_ = QString();
}

void BuildLog::push(QString text, int message) {
    lines_.push_back({std::move(text), message});
    if (qsizetype(lines_.size()) > maxLines_) {
        lines_.pop_front();
        ++dropped_;
    }
}

int BuildLog::count(MessageSeverity severity) const {
    return int(std::count_if(messages_.begin(), messages_.end(),
                             [&](const Message& m) { return m.message.severity == severity; }));
}

qsizetype BuildLog::rowOfMessage(int index) const {
    if (index < 0 || index >= int(messages_.size()))
        return -1;
    const qint64 row = messages_[size_t(index)].lineNumber - dropped_;
    return row < 0 ? -1 : qsizetype(row);
}

} // namespace quaredit
