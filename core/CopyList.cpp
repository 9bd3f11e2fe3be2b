#include "core/CopyList.h"

#include <QStringList>

QString CopyList::Item(int copy) {
    return QString("&%1#").arg(copy);
}

QString CopyList::Of(const std::vector<int>& copies) {
    QString out;
    for (int c : copies) out += Item(c);
    return out;
}

std::vector<int> CopyList::Numbers(const QString& list) {
    std::vector<int> out;
    const QStringList parts = list.split('&', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const int hash = part.indexOf('#');
        bool ok = false;
        const int n = part.left(hash < 0 ? part.size() : hash).toInt(&ok);
        if (ok) out.push_back(n);
    }
    return out;
}

bool CopyList::Contains(const QString& list, int copy) {
    return list.contains(Item(copy));
}

QString CopyList::Remove(const QString& list, int copy) {
    QString out = list;
    out.remove(Item(copy));
    return out;
}

QString CopyList::RemoveAll(const QString& list, const QString& other) {
    QString out = list;
    for (int copy : Numbers(other)) out.remove(Item(copy));
    return out;
}

QString CopyList::CopyText(int copy) {
    return QString("第%1张盘").arg(copy);
}

QString CopyList::ShortCopyText(int copy) {
    return QString("第%1张").arg(copy);
}

int CopyList::CopyOfText(const QString& text) {
    const int end = text.indexOf(QStringLiteral("张"));
    if (end < 1) return 0;
    return text.mid(1, end - 1).toInt();
}
