#include "ui/compile/BuildPanel.h"

#include "core/compile/BuildLog.h"
#include "ui/editor/EditorMarkers.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace quaredit {

namespace {

constexpr int ManyRows = 1000;

} // namespace

void BuildLogModel::setLog(const BuildLog* log) {
    beginResetModel();
    log_ = log;
    dropped_ = 0;
    rows_ = 0;
    endResetModel();
    sync();
}

void BuildLogModel::sync() {
    if (!log_)
        return;
    // While output comes, the last row is the line being written, even an
    // empty one: the row count stays put and the view is spared a layout of
    // every row each time a line ends.
    const int kept = int(log_->lineCount()) + (open_ || !log_->partial().isEmpty() ? 1 : 0);
    const bool dropping = log_->droppedLines() > 0;
    const int rows = (dropping ? 1 : 0) + kept;
    if ((dropping && dropped_ == 0) || rows - rows_ > ManyRows) {
        // A flood arrived, or the line about dropped lines appears: cheaper
        // for the view to show the list anew than to hear of every row.
        beginResetModel();
        dropped_ = log_->droppedLines();
        rows_ = rows;
        endResetModel();
        return;
    }
    // Once the history is full, the rows stay and their lines move up: the
    // view repaints what it shows instead of laying out 100,000 rows again.
    const bool moved = log_->droppedLines() != dropped_;
    dropped_ = log_->droppedLines();
    const int changedFrom = moved ? 0 : std::max(rows_ - 1, 0);
    if (rows > rows_) {
        beginInsertRows(QModelIndex(), rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows(QModelIndex(), rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
    // The line that was still being written may have changed or ended.
    if (rows_ > changedFrom)
        emit dataChanged(index(changedFrom), index(rows_ - 1));
}

int BuildLogModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int BuildLogModel::messageOfRow(int row) const {
    const qsizetype line = row - headRows();
    if (!log_ || row < headRows() || line >= log_->lineCount())
        return -1;
    return log_->line(line).message;
}

int BuildLogModel::rowOfMessage(int message) const {
    if (!log_)
        return -1;
    const qsizetype line = log_->rowOfMessage(message);
    return line < 0 ? -1 : int(line) + headRows();
}

QVariant BuildLogModel::data(const QModelIndex& index, int role) const {
    if (!log_ || !index.isValid() || index.row() >= rows_)
        return {};
    const int row = index.row();
    if (row < headRows()) {
        if (role == Qt::DisplayRole)
            return QStringLiteral("(%1 earlier lines were dropped)").arg(dropped_);
        return {};
    }
    const qsizetype line = row - headRows();
    if (line >= log_->lineCount()) {
        return role == Qt::DisplayRole ? QVariant(log_->partial()) : QVariant();
    }
    const BuildLog::Line& l = log_->line(line);
    if (role == Qt::DisplayRole)
        return l.text;
    if (role == Qt::ForegroundRole && l.message >= 0) {
        const auto& m = log_->messages()[size_t(l.message)].message;
        return EditorMarkers::colours(markKindOf(m.severity), dark_).text;
    }
    return {};
}

MarkKind markKindOf(MessageSeverity severity) {
    switch (severity) {
    case MessageSeverity::Warning:
        return MarkKind::Warning;
    case MessageSeverity::Note:
        return MarkKind::Note;
    case MessageSeverity::Error:
        break;
    }
    return MarkKind::Error;
}

BuildPanel::BuildPanel(QWidget* parent) : QWidget(parent), model_(new BuildLogModel(this)) {
    setObjectName(QStringLiteral("MessagesPanel"));
    lbBuildStatus = new QLabel(this);
    lbBuildStatus->setObjectName(QStringLiteral("lbBuildStatus"));
    btStopBuild = new QToolButton(this);
    btStopBuild->setObjectName(QStringLiteral("btStopBuild"));
    btStopBuild->setText(QStringLiteral("Stop"));
    btStopBuild->setToolTip(QStringLiteral("Stop the build (Ctrl+Break)"));
    btCloseMessages = new QToolButton(this);
    btCloseMessages->setObjectName(QStringLiteral("btCloseMessages"));
    btCloseMessages->setText(QStringLiteral("Close"));
    btCloseMessages->setToolTip(QStringLiteral("Hide the messages (Escape)"));
    lstMessages = new QListView(this);
    lstMessages->setObjectName(QStringLiteral("lstMessages"));
    lstMessages->setModel(model_);
    lstMessages->setUniformItemSizes(true);
    lstMessages->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstMessages->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lstMessages->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 0);
    bar->addWidget(lbBuildStatus, 1);
    bar->addWidget(btStopBuild);
    bar->addWidget(btCloseMessages);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(bar);
    layout->addWidget(lstMessages, 1);

    connect(btStopBuild, &QToolButton::clicked, this, &BuildPanel::stopClicked);
    const auto close = [this] {
        hide();
        emit closed();
    };
    connect(btCloseMessages, &QToolButton::clicked, this, close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, close);
    // Enter and double-click both arrive as activation.
    connect(lstMessages, &QListView::activated, this, [this](const QModelIndex& index) {
        const int message = model_->messageOfRow(index.row());
        if (message >= 0)
            emit messageActivated(message);
    });
}

void BuildPanel::setLog(const BuildLog* log) {
    model_->setDark(lstMessages->palette().color(QPalette::Base).lightness() < 128);
    model_->setLog(log);
}

void BuildPanel::sync() {
    QScrollBar* bar = lstMessages->verticalScrollBar();
    const bool following = bar->value() >= bar->maximum();
    const int rows = model_->rowCount();
    model_->sync();
    // A full history only moves its lines up: the view stays at the bottom
    // by itself, and asking it to scroll would lay out every row.
    if (following && model_->rowCount() != rows)
        lstMessages->scrollToBottom();
}

void BuildPanel::setRunning(bool running, const QString& status) {
    model_->setOpen(running);
    sync();
    btStopBuild->setEnabled(running);
    lbBuildStatus->setText(status);
}

QString BuildPanel::status() const {
    return lbBuildStatus->text();
}

void BuildPanel::selectMessage(int message) {
    const int row = model_->rowOfMessage(message);
    if (row < 0)
        return;
    const QModelIndex index = model_->index(row);
    lstMessages->setCurrentIndex(index);
    lstMessages->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

} // namespace quaredit
