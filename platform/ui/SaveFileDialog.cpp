#include "platform/ui/SaveFileDialog.h"

#include <QFileDialog>
#include <QStringList>

namespace {
std::function<QString(const SaveFileCall&)>& Responder() {
    static std::function<QString(const SaveFileCall&)> responder;
    return responder;
}
}  // namespace

QString QtFileFilter(const QString& filter) {
    if (!filter.contains(u'|')) return filter;
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString pattern = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
        QString description = parts[i].trimmed();
        // A description that does not show its pattern gets it, as Qt reads the pattern from there.
        if (!pattern.isEmpty() && !description.contains(u'(')) {
            description += QStringLiteral(" (%1)").arg(QString(pattern).replace(u';', u' '));
        }
        out.append(description);
    }
    return out.join(QStringLiteral(";;"));
}

QString GetSaveFileName(QWidget* parent, const QString& title, const QString& filter,
                        const QString& fileName) {
    if (Responder()) return Responder()(SaveFileCall{title, filter, fileName});
    // The program asks itself, in its own words, whether an existing file is replaced (or
    // refuses it): the dialog asks nothing.
    return QFileDialog::getSaveFileName(parent, title, fileName, QtFileFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void SetSaveFileResponder(std::function<QString(const SaveFileCall&)> responder) {
    Responder() = std::move(responder);
}

void ClearSaveFileResponder() {
    Responder() = nullptr;
}
