#pragma once
#include <QString>
#include <functional>

class QWidget;

struct SaveFileCall {
    QString title;
    QString filter;    // as the caller gave it: "Excel (*.xlsx)|*.xlsx" or "Excel (*.xlsx)"
    QString fileName;  // proposed name or path
};

// The save dialog: the path the operator chose, or an empty text for cancel. The filter
// may be given in the original platform's form ("description|pattern|..."). The dialog
// itself never asks whether an existing file is to be replaced: the caller does. With a
// responder set (tests, scripted runs), the call is handed to it instead.
QString GetSaveFileName(QWidget* parent, const QString& title, const QString& filter,
                        const QString& fileName = QString());
void SetSaveFileResponder(std::function<QString(const SaveFileCall&)> responder);
void ClearSaveFileResponder();

// "Excel (*.xlsx)|*.xlsx|All (*.*)|*.*" as Qt writes it: "Excel (*.xlsx);;All (*.*)".
QString QtFileFilter(const QString& filter);
