#include "platform/ui/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {
// Qt 6 asks for the file dialog's kinds of entry ("Folder", "File"...) under a context of its
// own, where Debian's translation of Qt 6.4 does not file them yet: they stand under the
// file dialog's context, as Qt 5 asked for them.
class QtChineseTranslator : public QTranslator {
  public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        if (text.isEmpty() && qstrcmp(context, "QAbstractFileIconProvider") == 0)
            text = QTranslator::translate("QFileDialog", sourceText, disambiguation, n);
        return text;
    }
};
}  // namespace

bool InstallQtTranslation() {
    // Dates, numbers and names of days in Qt's own windows follow the program's language,
    // not the machine's.
    QLocale::setDefault(
        QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China));
    // The translator belongs to the application and goes with it.
    static QPointer<QTranslator> installed;
    if (installed) return true;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    auto* translator = new QtChineseTranslator(app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    installed = translator;
    return true;
}
