#include "platform/ui/Label.h"

#include "platform/ui/ErrorReport.h"

Label::Label(const QString& caption, QWidget* parent) : QLabel(caption, parent) {}

void Label::SetCaption(const QString& caption) {
    if (caption == text()) return;
    setText(caption);
    RunReported([&] { emit Change(); });
}
