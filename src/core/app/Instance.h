#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace quaredit {

// One editor per user session: a second start hands its files to the
// running editor over a local socket and ends. This is the part of it that
// needs no socket: the socket's name, what the command line asks for, and
// the message the two editors exchange.

// What a start asks for: a separate editor ("--new-window" as the first
// argument), and the arguments after the program's name without that option.
struct StartRequest {
    bool newWindow = false;
    QStringList arguments;
};
StartRequest parseStartRequest(const QStringList& argumentsAfterProgram);

// The files named by the arguments. Joined with blanks they name one file,
// so that an unquoted path with blanks still opens as one; when that joined
// name is no file but every argument is one, as when a file manager passes
// several files, each is a file of its own.
QStringList commandLineFiles(const QStringList& arguments,
                             const std::function<bool(const QString&)>& isFile);

// The files a start names, as clean absolute paths: decided once, from the
// command line, and then handed over or opened.
QStringList startFiles(const StartRequest& request,
                       const std::function<bool(const QString&)>& isFile);

// The socket inside the user's runtime folder ($XDG_RUNTIME_DIR), one per
// display, so that two sessions, or two test runs with their own runtime
// folders, never meet. Empty without a runtime folder: the only other
// places (/tmp) are shared with other users, so every start then runs its
// own editor.
QString instanceSocketPath(const QString& runtimeFolder, const QString& display);

// The hand-over message: the files, with absolute paths, to open in the
// running editor; no files asks it to come to the front. A message holds at
// most MaxHandoverFiles paths of at most MaxHandoverPath characters: the
// editor opens no more than 255 documents anyway, and no system path is
// longer. The start's activation token (Wayland's XDG_ACTIVATION_TOKEN,
// X11's DESKTOP_STARTUP_ID), when it has a usable one, follows the files:
// with it the running editor may raise its window, without it the desktop
// only flags it. An editor that knows no token reads the files and stops
// there.
inline constexpr int MaxHandoverFiles = 300;
inline constexpr int MaxHandoverPath = 4096;
QByteArray encodeHandover(const QStringList& files, const QString& activationToken = {});
// Leaves out of `files` what a message cannot hold (paths too long, files
// past the most); returns how many were left out.
int fitHandover(QStringList& files);
// Takes one whole message from the front of `buffer`. Nullopt while the
// message is incomplete; `malformed` is set when the bytes can never form
// one (wrong signature, absurd length), and the connection should be dropped.
// `activationToken`, when given, receives the token (empty without one).
std::optional<QStringList> takeHandover(QByteArray& buffer, bool& malformed,
                                        QString* activationToken = nullptr);

// Tokens are short printable ASCII; anything else, or a longer one, is
// not passed on (an environment variable, an X11 property).
inline constexpr int MaxActivationToken = 1024;
bool isUsableActivationToken(const QString& token);
// The token a start was given by its launcher, from its environment's
// values of XDG_ACTIVATION_TOKEN and DESKTOP_STARTUP_ID; empty when
// neither holds a usable one.
QString launchActivationToken(const QString& xdgActivationToken, const QString& desktopStartupId);

// One message for what a hand-over could not open: the first few reasons
// and how many more there are.
QString handoverRefusals(const QStringList& reasons);

// What the running editor answers once it has the whole message.
inline constexpr char HandoverAck = 'k';

} // namespace quaredit
