// The findings of one page check as rows of a table: severity (with its icon), line:column and
// message. Holds a copy of the findings; filled whole and cleared whole.
#pragma once

#include "pagecheck/pagefinding.h"

#include <QAbstractTableModel>
#include <QIcon>

class PageFindingsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { SeverityColumn, PlaceColumn, MessageColumn, ColumnCount };

    explicit PageFindingsModel(QObject *parent = nullptr);

    void setFindings(const PageFindings &findings);
    const PageFinding &finding(int row) const { return m_findings.at(row); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    PageFindings m_findings;
    QIcon m_error;
    QIcon m_warning;
    QIcon m_info;
};
