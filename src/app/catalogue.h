#pragma once
// The entry catalogue topic.xml and the contents page built from it.
//
//   <root>
//     <section format="..." zetka_name="...">      (or a <zetka_name> child)
//       <entry><zetka_name>Name</zetka_name><zetka html="page.html" file="..." count="..."/></entry>
//   ...
// Sections are every child node of the root, entries every child node of a
// section, counted from 0 in document order; nodes are compared by identity.

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <memory>
#include <pugixml.hpp>
#include <vector>

namespace tobrina {

class TCatalogue final {
 public:
  // Parses the catalogue (windows-1251 unless a byte order mark or the XML
  // declaration says UTF-8). False, with an empty document, when it is not
  // well-formed; a document without "root" loads but has no root.
  bool load(const QByteArray& xml);
  bool loaded() const { return loaded_; }
  QString error() const { return error_; }

  pugi::xml_node root() const;  // the first child element "root"; empty when none
  int sectionCount() const;
  pugi::xml_node section(int s) const;  // empty node when out of range
  int entryCount(int s) const;          // 0 when out of range
  pugi::xml_node entry(int s, int e) const;

  // The name on the contents page: attribute "zetka_name" when the node has
  // a non-empty "format", else the text of its child "zetka_name".
  static QString ContentsName(pugi::xml_node node);
  // The name everywhere else: the text of the child "zetka_name".
  static QString EntryName(pugi::xml_node node);
  // The page of an entry: attribute "html" of its first child "zetka".
  static QString EntryPage(pugi::xml_node node);
  static QString EntryAttribute(pugi::xml_node node, const char* attribute);  // of its "zetka" child
  // Position of node among parent's child nodes (scanning from the last); -1 when not a child.
  static int IndexOfChild(pugi::xml_node parent, pugi::xml_node node);

  // The contents page: header, a line per named section and entry, footer.
  // readTemplate gets names such as "work\header.html" and "work\itemX.html".
  // sections and entries receive the nodes in catalogue order.
  QStringList BuildContentsPage(const std::function<QString(const QString&)>& readTemplate,
                                std::vector<pugi::xml_node>& sections, std::vector<pugi::xml_node>& entries) const;
  // One node's line: its template formatted with ("$zetka", s, e, name);
  // empty (no line) when the name is empty.
  static QString ContentsLine(pugi::xml_node node, int s, int e,
                              const std::function<QString(const QString&)>& readTemplate);

 private:
  pugi::xml_document document_;
  bool loaded_ = false;
  QString error_;
};

// The toolkit's format routine for templates: "%s" takes a text and "%d" an
// integer in argument order; "%3:s" names argument 3; "%%" is one "%";
// width and precision ("%5d", "%-10s", "%.3d") as usual. A placeholder that
// does not fit its argument leaves the rest of the text unformatted.
QString FormatTemplate(const QString& format, const QVariantList& args);

}  // namespace tobrina
