#include "core/app/Instance.h"

#include "core/documents/Paths.h"

#include <QDataStream>
#include <QIODevice>
#include <QRegularExpression>

namespace quaredit {

namespace {

constexpr quint32 HandoverSignature = 0x51454431; // "QED1"
constexpr int HeaderSize = 8;                     // signature, payload length
// Far more than any list of paths; a longer length is a wrong message.
constexpr quint32 MaxPayload = 16 * 1024 * 1024;

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

QByteArray encodeHandover(const QStringList& files) {
    QByteArray payload;
    {
        QDataStream out(&payload, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << files;
    }
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << HandoverSignature << quint32(payload.size());
    message.append(payload);
    return message;
}

std::optional<QStringList> takeHandover(QByteArray& buffer, bool& malformed) {
    malformed = false;
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
    QDataStream in(buffer.mid(HeaderSize, length));
    in.setVersion(QDataStream::Qt_6_0);
    QStringList files;
    in >> files;
    if (in.status() != QDataStream::Ok) {
        malformed = true;
        return std::nullopt;
    }
    buffer.remove(0, HeaderSize + length);
    return files;
}

} // namespace quaredit
