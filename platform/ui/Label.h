#pragma once
#include <QLabel>

// A label whose caption change is an event: SetCaption with a text that differs from the
// caption raises Change (after the caption changed), as the windows' Label_Change handlers
// expect. Setting the same caption again raises nothing.
class Label : public QLabel {
    Q_OBJECT
  public:
    explicit Label(const QString& caption = QString(), QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);

  signals:
    void Change();
};
