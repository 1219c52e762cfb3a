#include "help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QResource>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextStream>

HelpLoader::HelpLoader(std::function<std::unique_ptr<HelpEngine>()> makeEngine) : m_make(std::move(makeEngine)) {}

int HelpLoader::HtmlHelp(QWidget *owner, const QString &helpFile, int command, const QString &keyword) {
  if (!m_library) {
    std::unique_ptr<HelpEngine> e = m_make();
    if (!e || !e->loadLibrary())
      throw EHelpError("HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!");
    m_library = std::move(e);
  }
  if (!m_entryPoint) {
    if (!m_library->findEntryPoint(helpFile))
      throw EHelpError("Function HTMLHELP cannot loaded!");
    m_entryPoint = true;
    m_library->initialize();
  }
  return m_library->display(owner, helpFile, command, keyword);
}

namespace {

// The viewer: the index of keywords on the left, the page on the right.
class HelpWindow : public QWidget {
public:
  HelpWindow(QWidget *owner, const QList<QPair<QString, QString>> &index) : QWidget(owner, Qt::Window), m_index(index) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("CorvaneTessaly 帮助"));
    resize(820, 560);
    auto *split = new QSplitter(this);
    m_list = new QListWidget(split);
    m_list->setObjectName(QStringLiteral("helpIndex"));
    m_list->setAccessibleName(QStringLiteral("索引"));
    for (const auto &e : index)
      m_list->addItem(e.first);
    m_page = new QTextBrowser(split);
    m_page->setObjectName(QStringLiteral("helpPage"));
    m_page->setSearchPaths({QStringLiteral(":/hollin")});
    split->addWidget(m_list);
    split->addWidget(m_page);
    split->setSizes({180, 640});
    auto *lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(split);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
      if (row >= 0)
        m_page->setSource(QUrl(QStringLiteral("qrc:/hollin/") + m_index[row].second));
    });
  }
  bool showKeyword(const QString &keyword) {
    for (int i = 0; i < m_index.size(); ++i)
      if (m_index[i].first == keyword) {
        m_list->setCurrentRow(i);
        return true;
      }
    return false;
  }

private:
  QList<QPair<QString, QString>> m_index;
  QListWidget *m_list;
  QTextBrowser *m_page;
};

class ViewerEngine : public HelpEngine {
public:
  bool loadLibrary() override { return true; } // the viewer is part of the program
  bool findEntryPoint(const QString &file) override {
    if (!QFileInfo(file).isFile() || !QResource::registerResource(file))
      return false;
    QFile f(QStringLiteral(":/hollin/index.txt"));
    if (!f.open(QIODevice::ReadOnly))
      return false;
    QTextStream in(&f);
    while (!in.atEnd()) {
      const QStringList parts = in.readLine().split(u'\t');
      if (parts.size() == 2)
        m_index << qMakePair(parts[0], parts[1]);
    }
    return !m_index.isEmpty();
  }
  void initialize() override {}
  int display(QWidget *owner, const QString &, int command, const QString &keyword) override {
    if (command != HelpLoader::HH_DISPLAY_INDEX)
      return 0;
    if (!m_window || m_window->parentWidget() != owner)
      m_window = new HelpWindow(owner, m_index);
    m_window->showKeyword(keyword);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return 1;
  }

private:
  QList<QPair<QString, QString>> m_index;
  QPointer<HelpWindow> m_window;
};

std::function<bool(const QUrl &)> g_opener = [](const QUrl &u) { return QDesktopServices::openUrl(u); };

} // namespace

namespace Help {

QString helpFile() {
  const QString dir = QCoreApplication::applicationDirPath();
  for (const QString &candidate : {dir + QStringLiteral("/help/hollin.rcc"),
                                   dir + QStringLiteral("/../share/tessaly/hollin.rcc")})
    if (QFileInfo::exists(candidate))
      return QFileInfo(candidate).canonicalFilePath();
  return dir + QStringLiteral("/help/hollin.rcc");
}

std::unique_ptr<HelpEngine> makeViewerEngine() { return std::make_unique<ViewerEngine>(); }

void openMakerSite() { (void)g_opener(kMakerSite); }

void setUrlOpener(std::function<bool(const QUrl &)> opener) { g_opener = std::move(opener); }

} // namespace Help
