#include "recovery/recoverablepage.h"

RecoverablePage readRecoverablePage(const QString &journal) {
    RecoverablePage page;
    page.journal = journal;
    page.contents = readJournal(journal);
    if (!page.contents.ok)
        return page;
    const JournalHeader &h = page.contents.header;
    const FileStamp now = h.untitled ? FileStamp() : fileStampOf(h.pageName);
    if (h.untitled || (!h.diskStamp.exists && !now.exists))
        page.disk = RecoverablePage::Disk::None;
    else if (!now.exists)
        page.disk = RecoverablePage::Disk::Gone;
    else
        page.disk =
            now == h.diskStamp ? RecoverablePage::Disk::Untouched : RecoverablePage::Disk::Changed;
    page.bytes = encodeDocument(page.contents.text, h.format).size();
    return page;
}
