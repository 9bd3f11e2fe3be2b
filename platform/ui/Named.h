#pragma once
#include <QString>
#include <utility>

// Makes a control and gives it its name, so it can be found by name as the windows'
// designs call it: Named<QLineEdit>("TxtName"). Members of a control array are named
// with their index: NamedAt<PictureButton>("Image3", 2) is "Image3_2".
template <class W, class... Args>
W* Named(const QString& name, Args&&... args) {
    W* w = new W(std::forward<Args>(args)...);
    w->setObjectName(name);
    return w;
}

template <class W, class... Args>
W* NamedAt(const QString& arrayName, int index, Args&&... args) {
    return Named<W>(QString("%1_%2").arg(arrayName).arg(index), std::forward<Args>(args)...);
}
