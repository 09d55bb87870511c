#include "cdotrixdoc.h"

#include "cmainframe.h"
#include "messages.h"

#include <QFile>
#include <QFileDialog>
#include <QSettings>

namespace {
constexpr int RecentFileCount = 4;
}

CDotrixDoc::CDotrixDoc(CMainFrame *frame) : QObject(frame), m_frame(frame)
{
    setObjectName(QStringLiteral("document"));
}

void CDotrixDoc::OnFileNew()
{
    m_frame->InitialUpdateViews();
}

void CDotrixDoc::OnFileOpen()
{
    const QString path = QFileDialog::getOpenFileName(m_frame, QStringLiteral("打开"), m_frame->Settings().ProgramDir);
    if (path.isEmpty())
        return;
    // The document has no content to read; opening only starts afresh.
    m_pathName = path;
    RememberRecentFile(path);
    m_frame->InitialUpdateViews();
}

void CDotrixDoc::OnFileSave()
{
    QString path = m_pathName;
    if (path.isEmpty()) {
        path = QFileDialog::getSaveFileName(m_frame, QStringLiteral("另存为"),
                                            m_frame->Settings().ProgramDir + QStringLiteral("/Dotrix"));
        if (path.isEmpty())
            return;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ShowMessage(m_frame, QStringLiteral("无法保存 %1：%2").arg(path, file.errorString()));
        return;
    }
    m_pathName = path;
    RememberRecentFile(path);
}

void CDotrixDoc::RememberRecentFile(const QString &path)
{
    QSettings settings;
    QStringList recent;
    for (int i = 1; i <= RecentFileCount; ++i) {
        const QString entry = settings.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!entry.isEmpty() && entry != path)
            recent.append(entry);
    }
    recent.prepend(path);
    for (int i = 1; i <= RecentFileCount; ++i)
        settings.setValue(QStringLiteral("Recent File List/File%1").arg(i), recent.value(i - 1));
}
