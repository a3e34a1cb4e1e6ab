#pragma once

#include "core/compile/UserList.h"
#include "ui/common/WindowServices.h"

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QWidget>

#include <functional>

namespace quaredit {

// The list box side of a list dialog over its UserListModel: one line per
// working entry, kept parallel to the model through Open, a click on a
// line, New and Delete. Both list dialogs use it; they differ only in their
// entry fields, which they fill through `showEntry`.
template <typename Entry> class UserListEditor {
    using Model = UserListModel<Entry>;

public:
    struct Fields {
        std::function<void(const Entry&)> showEntry; // fills the entry fields
        std::function<void(bool)> enable;            // enables or disables them
        QWidget* caption = nullptr;                  // takes the focus on New
        QString listFullText;                        // "Cannot create more ..."
    };

    explicit UserListEditor(WindowServices& services) : services_(services) {}

    // Once the dialog has made its controls.
    void attach(QListWidget* list, Fields fields) {
        list_ = list;
        fields_ = std::move(fields);
        QObject::connect(list_, &QListWidget::currentRowChanged, list_, [this] {
            if (!filling_)
                click();
        });
    }

    const Model& model() const { return model_; }
    // True while the editor fills the controls itself: their change
    // signals then describe no edit.
    bool filling() const { return filling_; }
    // The entry a change of a field goes into, or nullptr to ignore it.
    Entry* editedEntry() { return filling_ ? nullptr : model_.selectedEntry(); }
    // The caption field changed: the entry and its line take the text.
    void captionChanged(const QString& text) {
        if (Entry* e = editedEntry()) {
            UserListFields<Entry>::caption(*e) = text;
            list_->item(model_.selected())->setText(text);
        }
    }

    // Each showing: the lines of `source`, the first one selected.
    void open(const QVector<Entry>& source) {
        model_.load(source);
        fill([&] {
            list_->clear();
            for (Entry e : model_.entries())
                list_->addItem(UserListFields<Entry>::caption(e));
            fields_.showEntry(Entry{});
        });
        fields_.enable(false);
        if (model_.count() > 0) {
            fill([&] { list_->setCurrentRow(0); });
            click();
        }
    }

    void addNew() {
        const auto result = model_.addNew();
        if (result == Model::NewResult::ListFull) {
            services_.messageBox(fields_.listFullText, QStringLiteral("Error"), MsgIcon::Error,
                                 MsgButtons::Ok);
            return;
        }
        fields_.enable(true);
        fields_.caption->setFocus();
        if (result == Model::NewResult::Added) {
            fill([&] {
                list_->addItem(QString());
                list_->setCurrentRow(model_.selected());
                fields_.showEntry(Entry{});
            });
        }
    }

    void deleteSelected() {
        const int row = model_.selected();
        if (!model_.deleteSelected())
            return;
        fill([&] {
            delete list_->takeItem(row);
            list_->setCurrentRow(-1);
            list_->clearSelection();
            fields_.showEntry(Entry{});
        });
        fields_.enable(false);
    }

    // Whenever the dialog closes.
    void closed() {
        model_.closed();
        fill([&] { fields_.showEntry(Entry{}); });
        fields_.enable(false);
    }

    QVector<Entry> accepted() const { return model_.accepted(); }

private:
    void click() {
        const int row = list_->currentRow();
        if (row < 0)
            return;
        model_.select(row);
        fields_.enable(true);
        fill([&] { fields_.showEntry(model_.entries()[row]); });
    }

    template <typename F> void fill(F&& f) {
        const bool was = filling_;
        filling_ = true;
        f();
        filling_ = was;
    }

    QListWidget* list_ = nullptr;
    WindowServices& services_;
    Fields fields_;
    Model model_;
    bool filling_ = false;
};

// What both list dialogs share around their editor: the list they start
// from at each showing, the edited list OK hands back, and Browse.
template <typename Entry> class UserListDialog : public QDialog {
public:
    void setSource(const QVector<Entry>& entries) { source_ = entries; }
    const QVector<Entry>& edited() const { return result_; }
    const UserListModel<Entry>& model() const { return lines_.model(); }

protected:
    UserListDialog(WindowServices& services, QWidget* parent)
        : QDialog(parent), services_(services), lines_(services) {}

    void showEvent(QShowEvent* event) override {
        QDialog::showEvent(event);
        if (event->spontaneous())
            return;
        // Each showing starts again from the main window's list.
        result_ = source_;
        lines_.open(source_);
    }
    void hideEvent(QHideEvent* event) override {
        QDialog::hideEvent(event);
        if (!event->spontaneous())
            lines_.closed();
    }

    // A push button that Return does not press behind the user's back.
    QPushButton* button(const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    }
    // Browse: the picked file's path goes into `target`.
    // `stored` turns the picked path into the text the field keeps.
    void browseInto(QLineEdit* target, const QString& filter, const QString& title,
                    const std::function<QString(const QString&)>& stored = {}) {
        FileDialogOptions options;
        options.filter = filter;
        options.title = title;
        if (const auto picked = services_.openFileName(options))
            target->setText(stored ? stored(*picked) : *picked);
    }
    void acceptEdits() {
        result_ = lines_.accepted();
        accept();
    }

    WindowServices& services_;
    UserListEditor<Entry> lines_;

private:
    QVector<Entry> source_;
    QVector<Entry> result_;
};

} // namespace quaredit
