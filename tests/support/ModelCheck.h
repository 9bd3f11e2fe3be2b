#pragma once
#include <QAbstractItemModelTester>
#include <QStringList>
#include <utility>

// Qt's own item-model checker on a model for the life of this object. It checks the model
// at once and after every signal the model sends (counts, indexes, the begin/end pairs,
// the ranges announced); what it finds is gathered here instead of ending the process,
// so a test can say after which change the model went wrong. One at a time.
class ModelCheck {
  public:
    explicit ModelCheck(QAbstractItemModel* model)
        : previous_(Install()),
          tester_(model, QAbstractItemModelTester::FailureReportingMode::Warning) {}
    ~ModelCheck() {
        qInstallMessageHandler(previous_);
        Previous() = nullptr;
    }
    ModelCheck(const ModelCheck&) = delete;
    ModelCheck& operator=(const ModelCheck&) = delete;

    // What the checker found since the last call.
    QStringList Faults() { return std::exchange(Found(), {}); }

  private:
    static QStringList& Found() {
        static QStringList found;
        return found;
    }
    static QtMessageHandler& Previous() {
        static QtMessageHandler previous = nullptr;
        return previous;
    }
    static QtMessageHandler Install() {
        Found().clear();  // nothing of a check before this one
        Previous() = qInstallMessageHandler(&ModelCheck::Record);
        return Previous();
    }
    static void Record(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (type != QtDebugMsg && qstrcmp(context.category, "qt.modeltest") == 0) {
            Found() << message;
            return;
        }
        if (Previous()) Previous()(type, context, message);
    }

    QtMessageHandler previous_;
    QAbstractItemModelTester tester_;
};
