#include "core/app/Instance.h"

#include "core/documents/Paths.h"

#include <QDataStream>
#include <QIODevice>
#include <QRegularExpression>

namespace quaredit {

namespace {

constexpr quint32 HandoverSignature = 0x51454431; // "QED1"
constexpr int HeaderSize = 8;                     // signature, payload length
// A count, then each path as its byte length and its UTF-16 text, then
// perhaps the activation token the same way: the most a message can need.
// A longer length is a wrong message.
constexpr quint32 MaxPathBytes = MaxHandoverPath * 2;
constexpr quint32 MaxTokenBytes = MaxActivationToken * 2;
constexpr quint32 MaxPayload = 4 + MaxHandoverFiles * (4 + MaxPathBytes) + 4 + MaxTokenBytes;

quint32 bigEndian32(const char* p) {
    const auto* u = reinterpret_cast<const uchar*>(p);
    return quint32(u[0]) << 24 | quint32(u[1]) << 16 | quint32(u[2]) << 8 | quint32(u[3]);
}

// One string as QDataStream writes it: its byte length, then UTF-16 text.
// Nullopt when the length is odd, past `maxBytes` or past the bytes there
// are (a null string's length, all ones, is past any maximum).
std::optional<QString> readString(const char*& p, const char* end, quint32 maxBytes) {
    if (end - p < 4)
        return std::nullopt;
    const quint32 bytes = bigEndian32(p);
    p += 4;
    if (bytes % 2 != 0 || bytes > maxBytes || bytes > quint32(end - p))
        return std::nullopt;
    QString text(qsizetype(bytes / 2), Qt::Uninitialized);
    for (quint32 c = 0; c < bytes / 2; ++c)
        text[qsizetype(c)] = QChar(ushort(uchar(p[2 * c]) << 8 | uchar(p[2 * c + 1])));
    p += bytes;
    return text;
}

struct Handover {
    QStringList files;
    QString token;
};

// The payload as the sender's QDataStream wrote it, read by hand so that no
// count or length is believed before the bytes are there: a count the
// payload cannot hold, a path too long, a null or odd-sized string, an
// unusable token or bytes left over make the message wrong.
std::optional<Handover> decodeHandover(const char* p, quint32 length) {
    if (length < 4)
        return std::nullopt;
    const char* end = p + length;
    const quint32 count = bigEndian32(p);
    p += 4;
    if (count > quint32(MaxHandoverFiles) || count > quint32(end - p) / 4)
        return std::nullopt;
    Handover message;
    message.files.reserve(qsizetype(count));
    for (quint32 i = 0; i < count; ++i) {
        auto path = readString(p, end, MaxPathBytes);
        if (!path)
            return std::nullopt;
        message.files << *path;
    }
    if (p != end) {
        auto token = readString(p, end, MaxTokenBytes);
        if (!token || !isUsableActivationToken(*token))
            return std::nullopt;
        message.token = *token;
    }
    if (p != end)
        return std::nullopt;
    return message;
}

} // namespace

StartRequest parseStartRequest(const QStringList& argumentsAfterProgram) {
    StartRequest request;
    request.arguments = argumentsAfterProgram;
    if (!request.arguments.isEmpty() &&
        request.arguments.first() == QLatin1String("--new-window")) {
        request.newWindow = true;
        request.arguments.removeFirst();
    }
    return request;
}

QStringList commandLineFiles(const QStringList& arguments,
                             const std::function<bool(const QString&)>& isFile) {
    QString joined;
    for (const QString& a : arguments)
        joined += QLatin1Char(' ') + a;
    joined = joined.trimmed();
    if (joined.isEmpty())
        return {};
    if (arguments.size() < 2 || isFile(joined))
        return {joined};
    for (const QString& a : arguments) {
        if (!isFile(a))
            return {joined};
    }
    return arguments;
}

QStringList startFiles(const StartRequest& request,
                       const std::function<bool(const QString&)>& isFile) {
    QStringList files = commandLineFiles(request.arguments, isFile);
    for (QString& file : files)
        file = canonicalDocumentPath(file);
    return files;
}

QString instanceSocketPath(const QString& runtimeFolder, const QString& display) {
    if (runtimeFolder.isEmpty())
        return {};
    QString name = display;
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    QString folder = runtimeFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + QStringLiteral("quaredit") +
           (name.isEmpty() ? QString() : QLatin1Char('-') + name) + QStringLiteral(".socket");
}

bool isUsableActivationToken(const QString& token) {
    if (token.isEmpty() || token.size() > MaxActivationToken)
        return false;
    for (const QChar c : token) {
        if (c.unicode() < 0x21 || c.unicode() > 0x7E)
            return false;
    }
    return true;
}

QString launchActivationToken(const QString& xdgActivationToken, const QString& desktopStartupId) {
    if (isUsableActivationToken(xdgActivationToken))
        return xdgActivationToken;
    if (isUsableActivationToken(desktopStartupId))
        return desktopStartupId;
    return {};
}

QByteArray encodeHandover(const QStringList& files, const QString& activationToken) {
    QByteArray payload;
    {
        QDataStream out(&payload, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << files;
        if (isUsableActivationToken(activationToken))
            out << activationToken;
    }
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << HandoverSignature << quint32(payload.size());
    message.append(payload);
    return message;
}

std::optional<QStringList> takeHandover(QByteArray& buffer, bool& malformed,
                                        QString* activationToken) {
    malformed = false;
    if (activationToken)
        activationToken->clear();
    if (buffer.size() < HeaderSize)
        return std::nullopt;
    quint32 signature = 0;
    quint32 length = 0;
    {
        QDataStream in(buffer.left(HeaderSize));
        in >> signature >> length;
    }
    if (signature != HandoverSignature || length > MaxPayload) {
        malformed = true;
        return std::nullopt;
    }
    if (quint32(buffer.size()) < HeaderSize + length)
        return std::nullopt;
    auto message = decodeHandover(buffer.constData() + HeaderSize, length);
    if (!message) {
        malformed = true;
        return std::nullopt;
    }
    if (activationToken)
        *activationToken = message->token;
    buffer.remove(0, HeaderSize + length);
    return message->files;
}

int fitHandover(QStringList& files) {
    const qsizetype before = files.size();
    files.removeIf([](const QString& f) { return f.isEmpty() || f.size() > MaxHandoverPath; });
    if (files.size() > MaxHandoverFiles)
        files.resize(MaxHandoverFiles);
    return int(before - files.size());
}

QString handoverRefusals(const QStringList& reasons) {
    constexpr int Shown = 5;
    if (reasons.size() == 1)
        return reasons.first();
    QString text = QStringLiteral("%1 files could not be opened:").arg(reasons.size());
    for (qsizetype i = 0; i < qMin<qsizetype>(reasons.size(), Shown); ++i)
        text += QStringLiteral("\n") + reasons[i];
    if (reasons.size() > Shown)
        text += QStringLiteral("\n... and %1 more.").arg(reasons.size() - Shown);
    return text;
}

} // namespace quaredit
