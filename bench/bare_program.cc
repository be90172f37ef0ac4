// The bare program the window bench measures the built one against: plain QWebEngineViews doing
// the same work, a window, a start page, five views navigated on Enter. It notes the same moments
// as the program on the "tellaria.timing" log. `bare_program --term TERM` opens the five pages at
// once, as the program does for `tellaria TERM`.

#include "bench/BenchAddresses.h"
#include "widgets/Application.h"

#include <QApplication>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWebEngineView>

using namespace tellaria;
using namespace tellaria::bench;

namespace {

class BareProgram : public QWidget
{
public:
    BareProgram()
    {
        setWindowTitle(QStringLiteral("bare"));
        resize(729, 528);
        auto *layout = new QVBoxLayout(this);
        m_edit = new QLineEdit(this);
        layout->addWidget(m_edit);
        m_stack = new QStackedWidget(this);
        layout->addWidget(m_stack, 1);
        auto *start = new QWebEngineView(m_stack);
        m_stack->addWidget(start);
        m_tabs = new QTabWidget(m_stack);
        m_stack->addWidget(m_tabs);
        start->load(QUrl(StartPageUrl));
        NoteTime("start page");
        connect(m_edit, &QLineEdit::returnPressed, this, &BareProgram::Query);
    }

    // Looks `term` up as Enter would: a start with a term on the command line.
    void QueryTerm(const QString &term)
    {
        m_edit->setText(term);
        Query();
    }

private:
    void Query()
    {
        NoteTime("enter");
        m_stack->setCurrentWidget(m_tabs);
        while (m_tabs->count() > 0)
            delete m_tabs->widget(0);
        NoteTime("cleared");
        for (const QString &host : EncyclopaediaHosts) {
            auto *view = new QWebEngineView;
            NoteTime("created", m_tabs->count() + 1);
            m_tabs->addTab(view, host);
            connect(
                view, &QWebEngineView::loadFinished, view,
                [index = m_tabs->count()] { NoteTime("loaded", index); }, Qt::SingleShotConnection);
            view->load(QUrl("http://" + host + "/q/" + m_edit->text()));
            NoteTime("navigated", m_tabs->count());
        }
        NoteTime("opened");
    }

    QLineEdit *m_edit;
    QStackedWidget *m_stack;
    QTabWidget *m_tabs;
};

// Notes the moment its window is first on the screen, as the program does.
class BareApplication : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        const bool handled = QApplication::notify(receiver, event);
        if (!m_painted && event->type() == QEvent::Expose) {
            m_painted = true;
            NoteTime("painted");
        }
        return handled;
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char *argv[])
{
    NoteTime("main");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    BareApplication application(argc, argv);
    NoteTime("application");
    BareProgram window;
    window.show();
    NoteTime("shown");
    if (argc >= 3 && QByteArray(argv[1]) == "--term")
        window.QueryTerm(QString::fromLocal8Bit(argv[2]));
    return application.exec();
}
