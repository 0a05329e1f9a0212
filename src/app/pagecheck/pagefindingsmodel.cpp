#include "pagecheck/pagefindingsmodel.h"

#include <QApplication>
#include <QStyle>

PageFindingsModel::PageFindingsModel(QObject *parent)
    : QAbstractTableModel(parent),
      m_error(QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical)),
      m_warning(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning)),
      m_info(QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation)) {}

void PageFindingsModel::setFindings(const PageFindings &findings) {
    beginResetModel();
    m_findings = findings;
    endResetModel();
}

int PageFindingsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_findings.size());
}

int PageFindingsModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PageFindingsModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= m_findings.size())
        return {};
    const PageFinding &f = m_findings.at(index.row());
    switch (index.column()) {
    case SeverityColumn:
        if (role == Qt::DisplayRole) {
            if (f.isBrokenLink())
                return QStringLiteral("Broken link");
            switch (f.severity) {
            case PageFinding::Severity::Error:
                return QStringLiteral("Error");
            case PageFinding::Severity::Warning:
                return QStringLiteral("Warning");
            case PageFinding::Severity::Info:
                return QStringLiteral("Info");
            }
        }
        if (role == Qt::DecorationRole) {
            switch (f.severity) {
            case PageFinding::Severity::Error:
                return m_error;
            case PageFinding::Severity::Warning:
                return m_warning;
            case PageFinding::Severity::Info:
                return m_info;
            }
        }
        break;
    case PlaceColumn:
        if (role == Qt::DisplayRole && f.line > 0)
            return QStringLiteral("%1:%2").arg(f.line).arg(qMax(1, f.column));
        break;
    case MessageColumn:
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return f.message;
        break;
    default:
        break;
    }
    return {};
}

QVariant PageFindingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case SeverityColumn:
        return QStringLiteral("Severity");
    case PlaceColumn:
        return QStringLiteral("Line:Column");
    case MessageColumn:
        return QStringLiteral("Message");
    default:
        return {};
    }
}
