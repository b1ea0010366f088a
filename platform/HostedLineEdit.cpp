#include "platform/HostedLineEdit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

namespace platform {

HostedLineEdit::HostedLineEdit(QWidget* parent) : QLineEdit(parent) {}

void HostedLineEdit::pasteFirstLine() {
    if (isReadOnly())
        return;
    QString text = QGuiApplication::clipboard()->text();
    const qsizetype lineEnd = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (lineEnd >= 0)
        text.truncate(lineEnd);
    if (const QValidator* v = validator(); v != nullptr) {
        int position = 0;
        if (v->validate(text, position) == QValidator::Invalid)
            return;
    }
    insert(text);
}

void HostedLineEdit::setDigitsOnly(bool on) {
    if (on)
        setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    else
        setValidator(nullptr);
}

void HostedLineEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pasteFirstLine();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace platform
