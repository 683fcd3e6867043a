#include "html/skHTML.h"

#include <QContextMenuEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTreeWidgetItemIterator>
#include <algorithm>

#include "controls/skPopMenu.h"
#include "controls/skSimple.h"
#include "controls/skTreeView.h"
#include "pack/gHelpers.h"
#include "pack/gPack.h"
#include "pack/gSystem.h"
#include "platform/codepage.h"
#include "platform/disk.h"
#include "platform/uiservices.h"
#include "platform/userstore.h"

namespace tobrina {
namespace {

bool IsPictureExtension(const QString& ext) {
  return ext == u".jpg" || ext == u".jpeg" || ext == u".gif" || ext == u".bmp" || ext == u".png";
}

bool IsPageExtension(const QString& ext) { return ext == u".htm" || ext == u".html"; }

bool SamePath(const QString& a, const QString& b) {
  return NativePath(a).compare(NativePath(b), Qt::CaseInsensitive) == 0;
}

// "http://...", "mailto:..." and the like; a drive letter ("C:") is no scheme.
bool HasUrlScheme(const QString& target) {
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  return scheme.match(target).hasMatch();
}

// A clicked link as the page wrote it: relative names decoded (Cyrillic file
// names arrive percent-encoded), web addresses as they are.
QString DecodedUrlText(const QUrl& url) {
  if (url.scheme().size() > 1) return url.toString();
  QString text = url.scheme().isEmpty() ? QString() : url.scheme() + u':';
  text += url.path(QUrl::FullyDecoded);
  if (url.hasQuery()) text += u'?' + url.query(QUrl::FullyDecoded);
  if (url.hasFragment()) text += u'#' + url.fragment(QUrl::FullyDecoded);
  return text;
}

// An absolute name under the pack's folder, with "\" inside it as the
// pack's directory has them ("/x/sub/a.png" -> "/x/sub\a.png").
QString PackName(const QString& file) {
  const QString& base = PackState().baseFolder;
  if (base.isEmpty() || file.size() <= base.size() || !IsRootedName(file) ||
      NativePath(file.left(base.size())).compare(NativePath(base), Qt::CaseInsensitive) != 0)
    return file;
  return base + QString(file.mid(base.size())).replace(u'/', u'\\');
}

QString BareName(const QString& name) { return name.mid(FolderOf(name).size()); }

QString ImgTag(const QString& source) {
  return QStringLiteral("<img src=\"") + source.toHtmlEscaped() + QStringLiteral("\">");
}

}  // namespace

QString DecodeHtmlPage(QByteArrayView bytes) {
  static const QRegularExpression utf8(QStringLiteral("charset\\s*=\\s*[\"']?\\s*utf-?8(?![0-9A-Za-z])"),
                                       QRegularExpression::CaseInsensitiveOption);
  if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.sliced(3));
  if (utf8.match(QString::fromLatin1(bytes.first(std::min<qsizetype>(bytes.size(), 1024)))).hasMatch())
    return QString::fromUtf8(bytes);
  return DecodeCp1251(bytes);
}

TSkHtml::TSkHtml(QWidget* parent) : QTextBrowser(parent) {
  setOpenLinks(false);
  setFrameShape(QFrame::NoFrame);
  document()->setDocumentMargin(12);  // text never touches the view's edge
  setDefaultBackground(Qt::white);
  connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) { OpenLink(DecodedUrlText(url)); });
  openPictureWindow = [this](const QString& file, const QString& target) {
    QString anchor = target;
    const QString name = SplitToken(anchor, QStringLiteral("#"));
    QByteArray bytes;
    if (!LoadPackFile(bytes, PackName(ExpandPath(name, FolderOf(file))))) return;
    const QImage image = QImage::fromData(bytes);
    if (image.isNull()) {
      ShowPlainMessage(QStringLiteral("Не удалось прочитать рисунок %1").arg(name));
      return;
    }
    auto* label = new QLabel(window(), Qt::Window);
    label->setAttribute(Qt::WA_DeleteOnClose);
    label->setWindowTitle(BareName(name));
    label->setPixmap(QPixmap::fromImage(image));
    label->show();
  };
}

TSkHtml::~TSkHtml() = default;

// --- loading ---------------------------------------------------------------

QString TSkHtml::resolvePage(const QString& name) const {
  if (name.isEmpty()) return {};
  for (const QString& candidate : {ExpandPath(name, FolderOf(currentFile_)), ExpandPath(name, ExeFolder())}) {
    const QString file = PackName(candidate);
    if (PackFileExists(file)) return file;
  }
  return {};
}

void TSkHtml::showHtml(const QString& html) {
  setHtml(html);
  lastLoadWasText_ = false;
  pageShown_ = false;
}

// True when the view shows the file itself.
bool TSkHtml::showing(const QString& file) const {
  return pageShown_ && !currentFile_.isEmpty() && SamePath(file, currentFile_);
}

void TSkHtml::showFile(const QString& file) {
  // The resources of the new page resolve against its folder while it is parsed.
  currentFile_ = file;
  if (IsPictureExtension(FileExtension(file).toLower())) {
    showHtml(ImgTag(file));
    pageShown_ = true;
    return;
  }
  QByteArray bytes;
  LoadPackFile(bytes, file);
  showHtml(DecodeHtmlPage(bytes));
  pageShown_ = true;
}

void TSkHtml::LoadFile(const QString& fileName) {
  QString anchor = fileName;
  const QString name = SplitToken(anchor, QStringLiteral("#"));
  const QString file = resolvePage(name);
  if (file.isEmpty()) {
    ShowPlainMessage(QStringLiteral("Не найден файл: ") + name);
    return;
  }
  // Loading the current entry's page again refreshes the entry instead of adding one.
  const bool reload = anchor.isEmpty() && SamePath(historyFile(historyIndex_), file);
  storePosition();
  showFile(file);
  SetPagePosition(0);
  if (!anchor.isEmpty()) scrollToAnchor(anchor);
  if (reload) {
    HistoryEntry& entry = history_[std::size_t(historyIndex_)];
    entry.title = documentTitle();
    entry.position = verticalPosition();
  } else {
    addHistory();
  }
  historyChanged();
}

void TSkHtml::LoadLines(const QStringList& lines) {
  currentFile_.clear();
  showHtml(lines.join(QStringLiteral("\r\n")));
  SetPagePosition(0);
}

void TSkHtml::LoadText(const QString& html) {
  const int position = lastLoadWasText_ ? verticalPosition() : 0;
  showHtml(html);
  setVerticalPosition(position);
  lastLoadWasText_ = true;
}

void TSkHtml::LoadBytes(const QByteArray& bytes) {
  showHtml(DecodeHtmlPage(bytes));
  SetPagePosition(0);
}

void TSkHtml::ShowCentered(const QString& fragment, const QString& alignment) {
  const QString align = alignment.isEmpty() ? QStringLiteral("center") : alignment;
  LoadLines({QStringLiteral("<table width=\"100%\" height=\"100%\" border=\"0\"><tr><td><div align=\"") +
                 align.toHtmlEscaped() + QStringLiteral("\">"),
             fragment, QStringLiteral("</div></td></tr></table>")});
}

void TSkHtml::ShowPicture(const QString& baseFile, const QString& pictureName, QString* resolved) {
  const QString file = ExpandPath(pictureName, FolderOf(baseFile));
  if (resolved) *resolved = file;
  LoadLines({ImgTag(file)});
}

QString TSkHtml::documentTitle() const { return document()->metaInformation(QTextDocument::DocumentTitle); }

QVariant TSkHtml::loadResource(int type, const QUrl& url) {
  if (type != QTextDocument::ImageResource && type != QTextDocument::StyleSheetResource) return {};
  QString name;
  if (url.isLocalFile()) {
    name = url.toLocalFile();
  } else {
    // Web and data addresses are not read from the pack.
    if (url.scheme().size() > 1) return {};
    name = DecodedUrlText(url.adjusted(QUrl::RemoveFragment | QUrl::RemoveQuery));
  }
  if (name.isEmpty()) return {};
  // A missing resource yields an empty value rather than none, or the
  // document would go looking for it on disk by itself.
  QString file = PackName(ExpandPath(name, FolderOf(currentFile_)));
  const bool sheet = type == QTextDocument::StyleSheetResource;
  if (!PackFileExists(file) && (sheet || FileExtension(name).toLower() == u".gif"))
    file = ExeFolder() + BareName(NativePath(name));
  QByteArray bytes;
  const bool found = PackFileExists(file) && LoadPackFile(bytes, file);
  if (sheet) return found ? DecodeTextFile(bytes) : QString();
  return found ? QImage::fromData(bytes) : QImage();
}

// --- positions ---------------------------------------------------------------

void TSkHtml::SetPagePosition(int position) { setVerticalPosition(position); }

int TSkHtml::horizontalPosition() const { return horizontalScrollBar()->value(); }

void TSkHtml::setHorizontalPosition(int position) {
  QScrollBar* bar = horizontalScrollBar();
  bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
}

int TSkHtml::verticalPosition() const { return verticalScrollBar()->value(); }

void TSkHtml::setVerticalPosition(int position) {
  QScrollBar* bar = verticalScrollBar();
  bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
}

void TSkHtml::setHorizontalBarAllowed(bool on) {
  horizontalAllowed_ = on;
  SyncScrollBars();
}

void TSkHtml::setVerticalBarAllowed(bool on) {
  verticalAllowed_ = on;
  SyncScrollBars();
}

void TSkHtml::SyncScrollBars() {
  setHorizontalScrollBarPolicy(horizontalAllowed_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(verticalAllowed_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

// --- history -------------------------------------------------------------------

QString TSkHtml::historyFile(int index) const {
  return index >= 0 && index < historyCount() ? history_[std::size_t(index)].file : QString();
}

QString TSkHtml::historyTitle(int index) const {
  return index >= 0 && index < historyCount() ? history_[std::size_t(index)].title : QString();
}

void TSkHtml::storePosition() {
  if (historyIndex_ < 0 || historyIndex_ >= historyCount()) return;
  HistoryEntry& entry = history_[std::size_t(historyIndex_)];
  // Only while the entry's page is what the view shows.
  if (showing(entry.file)) entry.position = verticalPosition();
}

void TSkHtml::addHistory() {
  if (historyIndex_ > 0) history_.erase(history_.begin(), history_.begin() + historyIndex_);
  history_.insert(history_.begin(), HistoryEntry{currentFile_, documentTitle(), verticalPosition()});
  if (historyCount() > kHistoryMax) history_.resize(kHistoryMax);
  historyIndex_ = 0;
}

void TSkHtml::setHistoryIndex(int index) {
  if (index == historyIndex_ || index < 0 || index >= historyCount()) return;
  if (historyIndex_ >= 0) {
    HistoryEntry& current = history_[std::size_t(historyIndex_)];
    if (showing(current.file)) {
      current.position = verticalPosition();
      current.title = documentTitle();
    }
  }
  const HistoryEntry& entry = history_[std::size_t(index)];
  if (!showing(entry.file)) showFile(entry.file);
  setVerticalPosition(entry.position);
  historyIndex_ = index;
  historyChanged();
}

void TSkHtml::showHistoryTitle() {
  if (titleLabel && historyIndex_ >= 0 && historyIndex_ < historyCount())
    titleLabel->SetWideCaption(history_[std::size_t(historyIndex_)].title);
}

void TSkHtml::historyChanged() {
  showHistoryTitle();
  SyncScrollBars();
}

// --- links -----------------------------------------------------------------------

bool TSkHtml::hasAnchor(const QString& name) const {
  if (name.isEmpty()) return false;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    if (block.charFormat().anchorNames().contains(name)) return true;
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().anchorNames().contains(name)) return true;
  }
  return false;
}

bool TSkHtml::jumpToAnchor(const QString& anchor) {
  if (!hasAnchor(anchor)) return false;
  storePosition();
  scrollToAnchor(anchor);
  // Text shown without a file has nothing to come back to.
  if (pageShown_) {
    addHistory();
    historyChanged();
  }
  return true;
}

bool TSkHtml::handleLink(const QString& target) {
  if (target.isEmpty()) return false;
  const auto prefixed = [this](const QString& text) { return action.isEmpty() ? text : action + u'*' + text; };
  if (target.startsWith(u'$')) {
    emit OnAction(RHelpAction{prefixed(target.mid(1)), 0, 0, 0, this});
    return false;
  }
  // Web and mail addresses go to the desktop whatever they end with.
  if (HasUrlScheme(target)) {
    ShellOpen(target, QString(), QStringLiteral("open"));
    return false;
  }
  QString anchor = target;
  const QString name = SplitToken(anchor, QStringLiteral("#"));
  const QString ext = FileExtension(name).toLower();
  const QString folder = FolderOf(currentFile_);
  if (ext == u".swf") {
    emit OnAction(RHelpAction{QStringLiteral("swf*") + ExpandPath(name, folder), 0, 0, 0, this});
    return false;
  }
  if (IsPictureExtension(ext)) {
    if (!picturesOpenInWindow)
      emit OnAction(RHelpAction{prefixed(target), 0, 0, 0, this});
    else if (openPictureWindow)
      openPictureWindow(currentFile_, target);
    return true;
  }
  if (IsPageExtension(ext)) {
    SyncLinkedTree(ExpandPath(name, folder));
    return false;
  }
  if (target.startsWith(u'#'))
    jumpToAnchor(anchor);
  else
    ShellOpen(target, QString(), QStringLiteral("open"));
  return false;
}

void TSkHtml::OpenLink(const QString& target) {
  if (handleLink(target) || target.startsWith(u'$') || HasUrlScheme(target)) return;
  QString anchor = target;
  const QString name = SplitToken(anchor, QStringLiteral("#"));
  if (!IsPageExtension(FileExtension(name).toLower())) return;
  const QString file = ExpandPath(name, FolderOf(currentFile_));
  if (showing(file)) {
    jumpToAnchor(anchor);
    return;
  }
  LoadFile(anchor.isEmpty() ? file : file + u'#' + anchor);
}

void TSkHtml::SyncLinkedTree(const QString& fileName) {
  QTreeWidget* tree = linkTreeEx ? static_cast<QTreeWidget*>(linkTreeEx.data()) : linkTree.data();
  if (!tree || fileName.isEmpty()) return;
  // Tree nodes name their pages relative to the executable's folder.
  QString name = NativePath(fileName);
  const QString exe = NativePath(ExeFolder());
  if (name.startsWith(exe, Qt::CaseInsensitive)) name = name.mid(exe.size());
  const auto matches = [&name](const QTreeWidgetItem* item) {
    return item && SamePath(item->data(0, kNodeDataRole).toString(), name);
  };
  QTreeWidgetItem* current = tree->currentItem();
  if (matches(current) && current->isSelected()) return;
  for (QTreeWidgetItemIterator it(tree); *it; ++it) {
    if (!matches(*it)) continue;
    tree->setCurrentItem(*it);
    for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent()) p->setExpanded(true);
    tree->scrollToItem(*it);
    return;
  }
  tree->clearSelection();
}

bool TSkHtml::FindText(const QString& text) {
  if (text.isEmpty()) return false;
  const QTextCursor old = textCursor();
  const int h = horizontalPosition();
  const int v = verticalPosition();
  if (find(text)) return true;
  QTextCursor start = textCursor();
  start.movePosition(QTextCursor::Start);
  setTextCursor(start);
  if (find(text)) return true;
  setTextCursor(old);
  setHorizontalPosition(h);
  setVerticalPosition(v);
  return false;
}

// --- editing, appearance -------------------------------------------------------

void TSkHtml::EditCurrentPage() {
  if (currentFile_.isEmpty() || ExeDriveKind() == kDriveCdRom) return;
  const QString onDisk = FindDiskFile(currentFile_);
  const QString path = onDisk.isEmpty() ? NativePath(currentFile_) : onDisk;
  const auto program = UserStore::Instance().read(QStringLiteral("\\Software\\Dov\\Morbanix"), QStringLiteral("EditHtml"));
  if (program && !program->isEmpty())
    Ui().startProgram(*program, {path});
  else
    ShellOpen(path, QString(), QStringLiteral("edit"));
}

void TSkHtml::setDragScrollMode(bool on) {
  dragScroll_ = on;
  dragging_ = false;
  setTextInteractionFlags(on ? Qt::LinksAccessibleByMouse : Qt::TextBrowserInteraction);
}

void TSkHtml::setDefaultBackground(const QColor& color) { SetBackgroundColor(viewport(), color); }

void TSkHtml::setDefaultFontName(const QString& name) {
  QFont f = document()->defaultFont();
  f.setFamily(name);
  document()->setDefaultFont(f);
}

void TSkHtml::setDefaultFontSize(int points) {
  if (points <= 0) return;
  QFont f = document()->defaultFont();
  f.setPointSize(points);
  document()->setDefaultFont(f);
}

void TSkHtml::applyMinWidth() {
  // Narrower than min_width, the page keeps its width and scrolls sideways.
  const bool fixed = minWidth > 0 && viewport()->width() < minWidth;
  if (fixed) {
    if (lineWrapMode() != FixedPixelWidth || lineWrapColumnOrWidth() != minWidth) {
      setLineWrapMode(FixedPixelWidth);
      setLineWrapColumnOrWidth(minWidth);
    }
  } else if (lineWrapMode() != WidgetWidth) {
    setLineWrapMode(WidgetWidth);
  }
}

// --- events ------------------------------------------------------------------------

void TSkHtml::mousePressEvent(QMouseEvent* event) {
  QTextBrowser::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  if (dragsWindow) {
    emit pressed();
  } else if (dragScroll_) {
    dragging_ = true;
    dragStart_ = event->position().toPoint();
  }
}

void TSkHtml::mouseMoveEvent(QMouseEvent* event) {
  QTextBrowser::mouseMoveEvent(event);
  if (!dragging_) return;
  const QPoint at = event->position().toPoint();
  setHorizontalPosition(horizontalPosition() + (dragStart_.x() - at.x()) / 10);
  setVerticalPosition(verticalPosition() + (dragStart_.y() - at.y()) / 10);
}

void TSkHtml::mouseReleaseEvent(QMouseEvent* event) {
  dragging_ = false;
  QTextBrowser::mouseReleaseEvent(event);
}

void TSkHtml::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_E && event->modifiers() == Qt::AltModifier) {
    EditCurrentPage();
    event->accept();
    return;
  }
  QTextBrowser::keyPressEvent(event);
  SyncScrollBars();
}

void TSkHtml::keyReleaseEvent(QKeyEvent* event) { QTextBrowser::keyReleaseEvent(event); }

void TSkHtml::contextMenuEvent(QContextMenuEvent* event) {
  if (!contextMenu) {
    QTextBrowser::contextMenuEvent(event);
    return;
  }
  contextMenu->popup(event->globalPos());
  event->accept();
}

void TSkHtml::resizeEvent(QResizeEvent* event) {
  QTextBrowser::resizeEvent(event);
  applyMinWidth();
  SyncScrollBars();
}

}  // namespace tobrina
