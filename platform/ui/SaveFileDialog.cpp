#include "platform/ui/SaveFileDialog.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QStringList>

namespace {
std::function<QString(const SaveFileCall&)>& Responder() {
    static std::function<QString(const SaveFileCall&)> responder;
    return responder;
}

// Qt's own dialog writes its files' dates in the language of the machine, whatever the
// program speaks: the date column is written here in the program's language instead.
class FileDatesInProgramLanguage : public QIdentityProxyModel {
  public:
    using QIdentityProxyModel::QIdentityProxyModel;
    static constexpr int kDateColumn = 3;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || index.column() != kDateColumn || !files)
            return QIdentityProxyModel::data(index, role);
        return QLocale().toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
    }
};
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
    QFileDialog dialog(parent, title, fileName, QtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The program asks itself, in its own words, whether an existing file is replaced (or
    // refuses it): the dialog asks nothing.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setProxyModel(new FileDatesInProgramLanguage(&dialog));
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.selectedFiles().value(0);
}

void SetSaveFileResponder(std::function<QString(const SaveFileCall&)> responder) {
    Responder() = std::move(responder);
}

void ClearSaveFileResponder() {
    Responder() = nullptr;
}
