#include "ui/tools/TLblWinFrm.h"

#include "ui/common/DialogFrame.h"
#include "ui/common/ScreenCentring.h"

#include <QAbstractListModel>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace quaredit {

// Serves the names straight from the scan: a source of tens of thousands of
// labels fills the list in one reset, and only the rows on screen become strings.
class LabelListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setEntries(const QVector<LabelEntry>* entries) {
        beginResetModel();
        m_entries = entries;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || !m_entries ? 0 : int(m_entries->size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!m_entries || !index.isValid() || index.row() >= m_entries->size())
            return {};
        const LabelEntry& e = m_entries->at(index.row());
        if (role == Qt::DisplayRole)
            return QString::fromLatin1(e.name);
        if (role == Qt::UserRole)
            return e.line;
        return {};
    }

private:
    const QVector<LabelEntry>* m_entries = nullptr;
};

namespace {
QCheckBox* filterBox(QWidget* parent, const char* name, const QString& caption,
                     const QString& hint) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(hint);
    box->setStatusTip(hint);
    return box;
}
} // namespace

TLblWinFrm::TLblWinFrm(QWidget* parent)
    : QDialog(parent), m_model(new LabelListModel(this)), LblList(new QListView(this)),
      Fond4(new QGroupBox(QStringLiteral("Show :"), this)),
      HideSlash(filterBox(Fond4, "HideSlash", QStringLiteral("Hide \\..."),
                          QStringLiteral("Hide the labels which begin with '\\'"))),
      Show2Pt(filterBox(Fond4, "Show2Pt", QStringLiteral("Only ... :"),
                        QStringLiteral("Show only the labels with ':' for last char"))),
      ShowMaj(filterBox(Fond4, "ShowMaj", QStringLiteral("Only Xxxx"),
                        QStringLiteral("Show only the labels with a upper case in first char"))),
      ShowLib(filterBox(Fond4, "ShowLib", QStringLiteral("Only xx@xx"), QString())),
      AlphOrder(filterBox(this, "AlphOrder", QStringLiteral("Aphabetic order"),
                          QStringLiteral("Sort the list in alphabetic order"))),
      InfoLbl(new QLabel(this)), BtOK(new QPushButton(QStringLiteral("OK"), this)),
      BtCancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("LblWinFrm"));
    useFixedDialogFrame(this);
    setWindowTitle(QStringLiteral("Labels & Variables Window"));
    LblList->setObjectName(QStringLiteral("LblList"));
    Fond4->setObjectName(QStringLiteral("Fond4"));
    InfoLbl->setObjectName(QStringLiteral("InfoLbl"));
    BtOK->setObjectName(QStringLiteral("BtOK"));
    BtCancel->setObjectName(QStringLiteral("BtCancel"));

    LblList->setModel(m_model);
    LblList->setFont(QFont(QStringLiteral("Courier New")));
    LblList->setToolTip(QStringLiteral("List of labels found"));
    LblList->setSelectionMode(QAbstractItemView::SingleSelection);
    LblList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LblList->setUniformItemSizes(true);
    LblList->viewport()->installEventFilter(this);
    BtOK->setDefault(true);

    auto* filtersLayout = new QVBoxLayout(Fond4);
    for (QCheckBox* box : {HideSlash, Show2Pt, ShowMaj, ShowLib})
        filtersLayout->addWidget(box);
    auto* side = new QVBoxLayout;
    side->addWidget(Fond4);
    side->addWidget(AlphOrder);
    side->addStretch();
    side->addWidget(InfoLbl);
    side->addWidget(BtOK);
    side->addWidget(BtCancel);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(LblList, 1);
    layout->addLayout(side);
    LblList->setMinimumSize(260, 320);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QCheckBox* box : {HideSlash, Show2Pt, ShowMaj, ShowLib, AlphOrder})
        connect(box, &QCheckBox::clicked, this, &TLblWinFrm::ScanLabels);
    connect(BtOK, &QPushButton::clicked, this, &TLblWinFrm::BtOKClick);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TLblWinFrm::~TLblWinFrm() = default;

void TLblWinFrm::setListFont(const QFont& font) {
    LblList->setFont(font);
}

void TLblWinFrm::setSourceText(const QByteArray& text) {
    // The list views the old text until the next scan replaces it.
    m_model->setEntries(nullptr);
    m_entries.clear();
    m_text = text;
}

LabelFilters TLblWinFrm::filters() const {
    return {HideSlash->isChecked(), Show2Pt->isChecked(), ShowMaj->isChecked(),
            ShowLib->isChecked(), AlphOrder->isChecked()};
}

void TLblWinFrm::ScanLabels() {
    // Shown before the scan so that a long one is not a frozen window.
    InfoLbl->setText(QStringLiteral("Search items..."));
    InfoLbl->repaint();
    m_model->setEntries(nullptr);
    m_entries = quaredit::ScanLabels(m_text, filters());
    m_model->setEntries(&m_entries);
    InfoLbl->setText(QStringLiteral("Items Found : ") + QString::number(m_entries.size()));
}

int TLblWinFrm::listedCount() const {
    return m_model->rowCount();
}

void TLblWinFrm::showEvent(QShowEvent* event) {
    m_chosenLine.reset();
    ScanLabels();
    QDialog::showEvent(event);
    centreOnScreen(this);
}

std::optional<int> TLblWinFrm::selectedLine() const {
    const QModelIndexList selected = LblList->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return std::nullopt;
    return selected.first().data(Qt::UserRole).toInt();
}

void TLblWinFrm::BtOKClick() {
    m_chosenLine = selectedLine();
    if (m_chosenLine)
        accept();
    else
        reject();
}

void TLblWinFrm::LblListDblClick() {
    // Unlike OK, a double-click always closes with OK; away from any name the
    // caller falls back to the caret's own line.
    m_chosenLine = selectedLine();
    accept();
}

bool TLblWinFrm::eventFilter(QObject* watched, QEvent* event) {
    // The viewport sees double-clicks on empty space too, which the view's
    // own signal leaves out.
    if (watched == LblList->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const QModelIndex under =
            LblList->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (under.isValid())
            LblList->setCurrentIndex(under);
        LblListDblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quaredit
