#pragma once

#include <QString>
#include <QStringList>

namespace quaredit {

// Puts `path` at the head of the list (at most MaxRecentFiles entries, exact
// comparison). Returns false when it already was the head: then nothing
// changed and nothing must be rebuilt or written.
bool addRecentFile(QStringList& recentFiles, const QString& path);

// The Reopen item caption of entry `index`: "&1:/path" ... "&10:/path".
QString recentFileCaption(int index, const QString& path);

} // namespace quaredit
