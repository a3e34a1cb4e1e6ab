#pragma once

#include <Qsci/qscilexercustom.h>

#include <QByteArray>
#include <QColor>
#include <QFont>

namespace quaredit {

// Colours 68000 sources in the editor: a thin adapter that styles exactly the
// lines the editor asks for, with the classes the core tokenizer gives. In
// plain mode (text files) everything gets the default style.
class AsmLexer : public QsciLexerCustom {
    Q_OBJECT
public:
    explicit AsmLexer(QObject* parent = nullptr);

    const char* language() const override;
    QString description(int style) const override;
    QColor defaultColor(int style) const override;
    QColor defaultPaper(int style) const override;
    QFont defaultFont(int style) const override;
    void styleText(int start, int end) override;

    // The editor's font for every style; a style may add weight.
    void setEditorFont(const QFont& font);
    void setPaperColor(const QColor& paper);
    void setPlain(bool plain) { plain_ = plain; }
    bool isPlain() const { return plain_; }

private:
    QFont font_;
    QColor paper_ = Qt::white;
    bool plain_ = false;
    QByteArray classes_; // reused between calls: styling runs at every paint
};

} // namespace quaredit
