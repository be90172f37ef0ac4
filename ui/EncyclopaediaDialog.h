#pragma once

// 管理百科全书: the encyclopaedias in check-list order, each a name and an address template, to
// add, edit, remove, move up and down, or restore to the shipped five. 试一试 shows the address a
// sample term would open. OK keeps the list only when it can be kept (SiteListError), saying why
// otherwise; Cancel forgets it.

#include "core/LookupCatalogue.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace tellaria {

class TEncyclopaediaDialog : public QDialog
{
    Q_OBJECT
public:
    TEncyclopaediaDialog(const SiteTable &sites, QWidget *parent);

    // The list as edited, and for each of its rows the row it was before (-1 for one added).
    SiteTable Sites() const;
    std::vector<int> Origins() const;

    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void AddRow(const LookupSite &site, int origin);
    void Add();
    void Remove();
    void Move(int by);
    void RestoreDefaults();
    void Try();

    QTableWidget *m_table;
    QLineEdit *m_sample;
    QLabel *m_tried;
};

} // namespace tellaria
