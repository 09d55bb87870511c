#pragma once
// CDotrixDoc: the document. It holds no data: new and open re-run the views' initial updates,
// save writes an empty file, and nobody is ever asked to save.

#include <QObject>
#include <QString>

class CMainFrame;

class CDotrixDoc : public QObject
{
    Q_OBJECT
public:
    explicit CDotrixDoc(CMainFrame *frame);

    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    // The file the document was last saved to or opened from; empty before that.
    const QString &PathName() const { return m_pathName; }

private:
    void RememberRecentFile(const QString &path);

    CMainFrame *m_frame;
    QString m_pathName;
};
