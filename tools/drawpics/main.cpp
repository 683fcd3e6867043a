// tobrina-drawpics: draws the pictures of the sample collection.
//
//   tobrina-drawpics STAGE
//
// STAGE is the staged copy of content/. Every picture is drawn by the code
// below (one entry of kFigures per picture, named as the catalogue names it:
// "s2_e1_1" is picture 1 of the entry whose file is "pics\s2_e1") and written
// as STAGE/pics/NAME.jpg through our JPEG encoder.
//
// Before drawing, the program checks that kFigures holds exactly the pictures
// that STAGE/topic.xml counts and that the pages under STAGE/pages show, and
// that every page the catalogue or a page links to exists. Any difference,
// or a file that cannot be written, is reported on stderr with exit status 1.

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "pack/gSystem.h"

namespace {

using P = QPointF;

constexpr int kWidth = 480;
constexpr int kHeight = 300;
constexpr int kQuality = 90;

const QColor kPaper(0xfd, 0xfa, 0xf3);
const QColor kInk(0x3b, 0x2a, 0x17);    // figures
const QColor kBlue(0x2b, 0x5c, 0x8a);   // what the entry is about
const QColor kRed(0xa8, 0x45, 0x25);    // angle marks
const QColor kGreen(0x4a, 0x7a, 0x35);  // a third colour
const QColor kFillA(0xef, 0xe2, 0xc6);
const QColor kFillB(0xd8, 0xe5, 0xf0);
const QColor kFillC(0xe3, 0xed, 0xd6);
const QColor kNone(Qt::transparent);

// --- plane geometry on screen coordinates (y grows downwards) --------------

qreal Len(P v) { return std::hypot(v.x(), v.y()); }
P Unit(P v) {
  const qreal l = Len(v);
  return l > 0 ? v / l : P();
}
P Normal(P d) { return {-d.y(), d.x()}; }
P Mid(P a, P b) { return (a + b) / 2; }
P Lerp(P a, P b, qreal t) { return a + (b - a) * t; }
qreal Dot(P a, P b) { return P::dotProduct(a, b); }
// The point at distance r from o in direction deg (counter-clockwise from east).
P Polar(P o, qreal r, qreal deg) {
  const qreal t = qDegreesToRadians(deg);
  return o + P(r * std::cos(t), -r * std::sin(t));
}
qreal Direction(P v) { return qRadiansToDegrees(std::atan2(-v.y(), v.x())); }
P Foot(P p, P a, P b) {
  const P d = b - a;
  return a + d * (Dot(p - a, d) / Dot(d, d));
}
// The third vertex B of a triangle on the base a -> c (a left of c), with
// angles angA at a and angC at c, above the base.
P Apex(P a, P c, qreal angA, qreal angC) {
  const qreal side = Len(c - a) * std::sin(qDegreesToRadians(angC)) / std::sin(qDegreesToRadians(180 - angA - angC));
  return Polar(a, side, Direction(c - a) + angA);
}
// A point d away from the middle of ab, on the side away from inside.
P Outside(P a, P b, P inside, qreal d) {
  const P m = Mid(a, b);
  P n = Normal(Unit(b - a));
  if (Dot(n, inside - m) > 0) n = -n;
  return m + n * d;
}
P Incenter(P a, P b, P c) {
  const qreal la = Len(c - b), lb = Len(a - c), lc = Len(b - a);
  return (a * la + b * lb + c * lc) / (la + lb + lc);
}

// --- drawing ---------------------------------------------------------------

class Canvas {
 public:
  explicit Canvas(QImage& image) : p_(&image) {
    p_.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  }

  void seg(P a, P b, const QColor& c = kInk, qreal w = 2.2, Qt::PenStyle style = Qt::SolidLine) {
    p_.setPen(QPen(c, w, style, Qt::RoundCap, Qt::RoundJoin));
    p_.drawLine(a, b);
  }
  void dash(P a, P b, const QColor& c = kInk, qreal w = 1.6) { seg(a, b, c, w, Qt::DashLine); }
  // The line through a and b, drawn `over` pixels past both.
  void line(P a, P b, qreal over, const QColor& c = kInk, qreal w = 2.2) {
    const P d = Unit(b - a) * over;
    seg(a - d, b + d, c, w);
  }
  void arrow(P from, P tip, const QColor& c = kInk, qreal w = 2.2) {
    const P d = Unit(tip - from), n = Normal(d);
    seg(from, tip - d * 6, c, w);
    poly({tip, tip - d * 14 + n * 5, tip - d * 14 - n * 5}, c, c, 1);
  }
  void poly(const std::vector<P>& points, const QColor& fill, const QColor& stroke = kInk, qreal w = 2.2,
            Qt::PenStyle style = Qt::SolidLine) {
    p_.setPen(stroke.alpha() ? QPen(stroke, w, style, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen));
    p_.setBrush(fill.alpha() ? QBrush(fill) : QBrush(Qt::NoBrush));
    p_.drawPolygon(points.data(), int(points.size()));
    p_.setBrush(Qt::NoBrush);
  }
  void circle(P o, qreal r, const QColor& stroke = kInk, qreal w = 2.2, const QColor& fill = kNone) {
    p_.setPen(QPen(stroke, w));
    p_.setBrush(fill.alpha() ? QBrush(fill) : QBrush(Qt::NoBrush));
    p_.drawEllipse(o, r, r);
    p_.setBrush(Qt::NoBrush);
  }
  // A pie from apex with radius r, from direction start through sweep degrees.
  void sector(P apex, qreal r, qreal start, qreal sweep, const QColor& fill) {
    QPainterPath path(apex);
    path.arcTo(QRectF(apex.x() - r, apex.y() - r, 2 * r, 2 * r), start, sweep);
    path.closeSubpath();
    p_.setPen(QPen(kInk, 1.2));
    p_.setBrush(fill);
    p_.drawPath(path);
    p_.setBrush(Qt::NoBrush);
  }
  // A point with its name centred at at + offset.
  void dot(P at, const char* name, P offset, const QColor& c = kInk) {
    p_.setPen(Qt::NoPen);
    p_.setBrush(c);
    p_.drawEllipse(at, 3.4, 3.4);
    p_.setBrush(Qt::NoBrush);
    if (*name != '\0') text(at + offset, name, c, 20, true);
  }
  // Text centred at centre: names in italic serif, numbers in sans.
  void text(P centre, const char* s, const QColor& c = kInk, int px = 16, bool italic = false, qreal rotation = 0) {
    QFont font(italic ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
    font.setPixelSize(px);
    font.setItalic(italic);
    p_.save();
    p_.setFont(font);
    p_.setPen(c);
    p_.translate(centre);
    p_.rotate(rotation);
    p_.drawText(QRectF(-240, -px, 480, 2 * px), Qt::AlignCenter, QString::fromUtf8(s));
    p_.restore();
  }
  void name(P centre, const char* s, const QColor& c = kInk) { text(centre, s, c, 19, true); }
  // Text parallel to ab, off pixels to the side away from inside.
  void along(P a, P b, P inside, qreal off, const char* s, const QColor& c = kInk, int px = 14) {
    if (b.x() < a.x()) std::swap(a, b);
    text(Outside(a, b, inside, off), s, c, px, false, qRadiansToDegrees(std::atan2(b.y() - a.y(), b.x() - a.x())));
  }
  // Arcs of the (smaller) angle a-v-b: n arcs from radius r.
  void arc(P v, P a, P b, qreal r, int n = 1, const QColor& c = kRed, qreal w = 1.8) {
    const auto [start, sweep] = Span(v, a, b);
    p_.setPen(QPen(c, w, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < n; ++i) {
      const qreal rr = r + 5 * i;
      const QRectF box(v.x() - rr, v.y() - rr, 2 * rr, 2 * rr);
      QPainterPath path;
      path.arcMoveTo(box, start);
      path.arcTo(box, start, sweep);
      p_.drawPath(path);
    }
  }
  // Text on the bisector of the angle a-v-b, r away from v.
  void angleText(P v, P a, P b, qreal r, const char* s, const QColor& c = kRed, int px = 15) {
    const auto [start, sweep] = Span(v, a, b);
    text(Polar(v, r, start + sweep / 2), s, c, px);
  }
  void right(P v, P a, P b, qreal size = 13, const QColor& c = kRed) {
    const P u = Unit(a - v) * size, w = Unit(b - v) * size;
    p_.setPen(QPen(c, 1.6));
    const P corner[] = {v + u, v + u + w, v + w};
    p_.drawPolyline(corner, 3);
  }
  // n equality strokes across the middle of ab.
  void ticks(P a, P b, int n, const QColor& c = kInk) {
    const P d = Unit(b - a), nrm = Normal(d), m = Mid(a, b);
    for (int i = 0; i < n; ++i) {
      const P at = m + d * (5 * (i - (n - 1) / 2.0));
      seg(at - nrm * 7, at + nrm * 7, c, 1.8);
    }
  }
  // n parallel-line marks (chevrons pointing from a to b) at the middle of ab.
  void chevrons(P a, P b, int n = 1, const QColor& c = kInk) {
    const P d = Unit(b - a), nrm = Normal(d), m = Mid(a, b);
    for (int i = 0; i < n; ++i) {
      const P tip = m + d * (6 * i + 4);
      seg(tip - d * 9 + nrm * 6, tip, c, 1.8);
      seg(tip - d * 9 - nrm * 6, tip, c, 1.8);
    }
  }
  // A dimension line parallel to ab, off pixels away, with its text.
  void dim(P a, P b, P inside, qreal off, const char* s, const QColor& c = kBlue) {
    const P n = Outside(a, b, inside, 1) - Mid(a, b);
    const P a1 = a + n * off, b1 = b + n * off;
    seg(a1, b1, c, 1.2);
    seg(a1 - n * 5, a1 + n * 5, c, 1.2);
    seg(b1 - n * 5, b1 + n * 5, c, 1.2);
    text(Mid(a1, b1) + n * 13, s, c, 15);
  }

 private:
  static std::pair<qreal, qreal> Span(P v, P a, P b) {
    const qreal start = Direction(a - v);
    qreal sweep = Direction(b - v) - start;
    while (sweep > 180) sweep -= 360;
    while (sweep < -180) sweep += 360;
    return {start, sweep};
  }
  QPainter p_;
};

// Triangle helpers used by several figures.
void Triangle(Canvas& c, P a, P b, P cc, const QColor& fill = kNone) { c.poly({a, b, cc}, fill); }
struct Named {
  P at;
  const char* name;
  P offset;
};
void Dots(Canvas& c, std::initializer_list<Named> points) {
  for (const Named& point : points) c.dot(point.at, point.name, point.offset);
}

// Two congruent triangles side by side for the three congruence tests;
// marks: bit 0 AB, bit 1 AC, bit 2 BC (ticks 1, 2, 3), bit 3 angle A, bit 4 angle B.
void Congruent(Canvas& c, int marks) {
  for (int k = 0; k < 2; ++k) {
    const P o(30 + 245 * k, 240);
    const P a = o, b = o + P(66, -165), cc = o + P(180, 0);
    Triangle(c, a, b, cc, k ? kFillB : kFillA);
    if (marks & 1) c.ticks(a, b, 1, kBlue);
    if (marks & 2) c.ticks(a, cc, 2, kBlue);
    if (marks & 4) c.ticks(b, cc, 3, kBlue);
    if (marks & 8) c.arc(a, cc, b, 26, 1);
    if (marks & 16) c.arc(b, a, cc, 24, 2);
    Dots(c, {{a, k ? "A₁" : "A", {-4, 21}}, {b, k ? "B₁" : "B", {0, -18}}, {cc, k ? "C₁" : "C", {4, 21}}});
  }
}

void Trapezoid(Canvas& c, P a, P b, P cc, P d, const QColor& fill = kNone) { c.poly({a, b, cc, d}, fill); }

struct Figure {
  const char* name;
  void (*draw)(Canvas&);
};

// One drawing per picture, in catalogue order.
const Figure kFigures[] = {
    // --- Точки и прямые ---
    {"s1_e1_1",
     [](Canvas& c) {
       const P a(110, 205), b(340, 150);
       c.line(a, b, 95, kBlue);
       Dots(c, {{a, "A", {-4, 22}}, {b, "B", {6, 22}}, {P(255, 70), "C", {14, -12}}});
       c.name(Lerp(a, b, 1.38) + P(-4, -20), "a", kBlue);
     }},
    {"s1_e2_1",
     [](Canvas& c) {
       const P a(60, 180), b(420, 180), cc(195, 180), m(240, 180);
       c.seg(a, b, kInk, 2.6);
       c.ticks(a, m, 1, kBlue);
       c.ticks(m, b, 1, kBlue);
       c.dim(a, cc, P(0, 300), 55, "3 см");
       c.dim(cc, b, P(0, 300), 55, "5 см");
       Dots(c, {{a, "A", {0, 24}}, {cc, "C", {0, 24}}, {b, "B", {0, 24}}});
       c.dot(m, "M", {0, 24}, kBlue);
     }},
    {"s1_e3_1",
     [](Canvas& c) {
       const P a(90, 165), b(240, 165), cc(390, 165);
       c.arrow(b, P(22, 165), kBlue, 2.6);
       c.arrow(b, P(458, 165), kInk, 2.6);
       Dots(c, {{a, "A", {0, 24}}, {b, "B", {0, 24}}, {cc, "C", {0, 24}}});
       c.text(P(130, 130), "луч BA", kBlue, 16);
       c.text(P(350, 130), "луч BC", kInk, 16);
     }},
    {"s1_e4_1",
     [](Canvas& c) {
       const P o(240, 150);
       const P a1 = Polar(o, 215, 205), a2 = Polar(o, 215, 25), b1 = Polar(o, 170, 130), b2 = Polar(o, 170, 310);
       c.seg(a1, a2, kInk);
       c.seg(b1, b2, kBlue);
       c.arc(o, a2, b2, 38, 1);
       c.angleText(o, a2, b2, 60, "α", kRed, 19);
       c.dot(o, "O", {-2, -22});
       c.name(a2 + P(0, -18), "a");
       c.name(b1 + P(-16, 4), "b", kBlue);
     }},
    {"s1_e5_1",
     [](Canvas& c) {
       const P m(200, 110), n(270, 210);
       c.seg(P(35, 110), P(445, 110), kBlue);
       c.seg(P(35, 210), P(445, 210), kBlue);
       c.chevrons(P(35, 110), P(160, 110));
       c.chevrons(P(35, 210), P(160, 210));
       c.line(m, n, 75);
       c.dot(m, "M", {-16, -16});
       c.dot(n, "", {});
       c.name(P(455, 92), "a", kBlue);
       c.name(P(455, 192), "b", kBlue);
       c.name(Lerp(m, n, -0.7) + P(18, 4), "c");
     }},
    {"s1_e6_1",
     [](Canvas& c) {
       const P a(170, 60), h(170, 220), m(383, 220);
       c.seg(P(30, 220), P(450, 220));
       c.seg(a, h, kBlue, 2.6);
       c.seg(a, m, kGreen, 2.6);
       c.right(h, a, m);
       c.text(Mid(a, h) + P(-16, 0), "6", kBlue);
       c.text(Mid(a, m) + P(14, -14), "10", kGreen);
       c.text(Mid(h, m) + P(0, 18), "8");
       Dots(c, {{a, "A", {0, -20}}, {h, "H", {-4, 22}}, {m, "M", {4, 22}}});
       c.name(P(44, 202), "a");
     }},
    {"s1_e7_1",
     [](Canvas& c) {
       const P a(100, 210), b(380, 210), o(240, 210), m(240, 75);
       c.seg(P(240, 28), P(240, 282), kBlue);
       c.seg(a, b, kInk, 2.6);
       c.dash(m, a, kGreen, 2);
       c.dash(m, b, kGreen, 2);
       c.ticks(a, o, 1);
       c.ticks(o, b, 1);
       c.ticks(m, a, 2, kGreen);
       c.ticks(m, b, 2, kGreen);
       c.right(o, b, m);
       Dots(c, {{a, "A", {-6, 20}}, {b, "B", {6, 20}}, {o, "O", {-14, 20}}, {m, "M", {18, -10}}});
       c.name(P(256, 40), "m", kBlue);
     }},
    // --- Углы ---
    {"s2_e1_1",
     [](Canvas& c) {
       const P o(90, 250), a = Polar(o, 340, 0), b = Polar(o, 225, 90), cc = Polar(o, 330, 35);
       c.seg(o, a);
       c.seg(o, b);
       c.seg(o, cc, kBlue);
       c.arc(o, a, cc, 58, 1, kRed);
       c.arc(o, cc, b, 74, 1, kGreen);
       c.angleText(o, a, cc, 86, "35°", kRed);
       c.angleText(o, cc, b, 104, "55°", kGreen);
       Dots(c, {{o, "O", {-16, 14}}, {a, "A", {0, 20}}, {b, "B", {-16, 4}}, {cc, "C", {12, -14}}});
     }},
    {"s2_e2_1",
     [](Canvas& c) {
       const P o(240, 225), a(445, 225), b(35, 225), cc = Polar(o, 200, 70);
       c.seg(b, a);
       c.seg(o, cc, kBlue);
       c.arc(o, a, cc, 40, 1, kRed);
       c.arc(o, cc, b, 54, 1, kGreen);
       c.angleText(o, a, cc, 66, "70°", kRed);
       c.angleText(o, cc, b, 80, "110°", kGreen);
       Dots(c, {{o, "O", {0, 22}}, {a, "A", {-4, 22}}, {b, "B", {4, 22}}, {cc, "C", {14, -8}}});
     }},
    {"s2_e3_1",
     [](Canvas& c) {
       const P o(240, 150);
       const P r20 = Polar(o, 215, 20), r145 = Polar(o, 180, 145), r200 = Polar(o, 215, 200), r325 = Polar(o, 180, 325);
       c.seg(r200, r20);
       c.seg(r145, r325);
       c.arc(o, r20, r145, 30, 1, kRed);
       c.arc(o, r200, r325, 30, 1, kRed);
       c.arc(o, r145, r200, 36, 2, kBlue);
       c.arc(o, r325, r20, 36, 2, kBlue);
       c.angleText(o, r20, r145, 52, "1", kRed, 17);
       c.angleText(o, r145, r200, 62, "2", kBlue, 17);
       c.angleText(o, r200, r325, 52, "3", kRed, 17);
       c.angleText(o, r325, r20, 62, "4", kBlue, 17);
       c.dot(o, "", {});
     }},
    {"s2_e4_1",
     [](Canvas& c) {
       const P o(60, 245), a = Polar(o, 390, 0), b = Polar(o, 235, 64), cc = Polar(o, 380, 32);
       const P m = Polar(o, 200, 32), k = Foot(m, o, a), l = Foot(m, o, b);
       c.seg(o, a);
       c.seg(o, b);
       c.seg(o, cc, kBlue);
       c.arc(o, a, cc, 48, 1);
       c.arc(o, cc, b, 48, 1);
       c.dash(m, k, kGreen, 2);
       c.dash(m, l, kGreen, 2);
       c.right(k, o, m);
       c.right(l, o, m);
       c.ticks(m, k, 1, kGreen);
       c.ticks(m, l, 1, kGreen);
       Dots(c, {{o, "O", {-14, 14}}, {a, "A", {-2, 20}}, {b, "B", {-16, 0}}, {cc, "C", {4, -18}}});
       Dots(c, {{m, "M", {4, -20}}, {k, "K", {0, 20}}, {l, "L", {-16, -6}}});
     }},
    {"s2_e5_1",
     [](Canvas& c) {
       const P up = Unit(P(160, -240)), p(290, 100), q = p - up * (110 / std::abs(up.y()));
       c.seg(P(30, 100), P(450, 100), kBlue);
       c.seg(P(30, 210), P(450, 210), kBlue);
       c.chevrons(P(30, 100), P(150, 100));
       c.chevrons(P(30, 210), P(150, 210));
       c.line(p, q, 80);
       c.arc(p, p + P(-1, 0), p - up, 26, 1);
       c.arc(q, q + P(1, 0), q + up, 26, 1);
       const qreal u = Direction(up);
       const char* numbers[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
       const qreal middles[] = {(u + 180) / 2, u / 2, (u + 180 + 360) / 2, (180 + u + 180) / 2};
       for (int i = 0; i < 8; ++i) {
         const qreal d = middles[i % 4];
         const qreal r = (i % 2 == 0) ? 24 : 40;  // obtuse angles have room near the vertex
         c.text(Polar(i < 4 ? p : q, r, d), numbers[i], kInk, 16);
       }
       c.name(P(20, 84), "a", kBlue);
       c.name(P(20, 194), "b", kBlue);
       c.name(p + up * 66 + P(18, 0), "c");
     }},
    {"s2_e6_1",
     [](Canvas& c) {
       const P dir = Polar(P(), 1, 72), p(285, 100), q = p - dir * (110 / std::abs(dir.y()));
       c.seg(P(30, 100), P(450, 100));
       c.seg(P(30, 210), P(450, 210));
       c.line(p, q, 80, kBlue);
       c.arc(p, p - dir, p + P(1, 0), 28, 1, kRed);
       c.arc(q, q + P(1, 0), q + dir, 28, 2, kGreen);
       c.angleText(p, p - dir, p + P(1, 0), 54, "108°", kRed);
       c.angleText(q, q + P(1, 0), q + dir, 58, "72°", kGreen);
       c.name(P(20, 84), "a");
       c.name(P(20, 194), "b");
       c.name(p + dir * 64 + P(18, 0), "c", kBlue);
     }},
    // --- Треугольники ---
    {"s3_e1_1",
     [](Canvas& c) {
       const P a(70, 250), b(180, 50), cc(420, 250), in = Incenter(a, b, cc);
       Triangle(c, a, b, cc, kFillA);
       c.arc(a, cc, b, 28, 1, kRed);
       c.arc(b, a, cc, 26, 1, kBlue);
       c.arc(cc, b, a, 36, 1, kGreen);
       c.text(Outside(b, cc, in, 18), "a", kInk, 20, true);
       c.text(Outside(cc, a, in, 18), "b", kInk, 20, true);
       c.text(Outside(a, b, in, 18), "c", kInk, 20, true);
       Dots(c, {{a, "A", {-14, 10}}, {b, "B", {0, -20}}, {cc, "C", {14, 10}}});
     }},
    {"s3_e2_1",
     [](Canvas& c) {
       const P a(60, 250), cc(400, 250), b(250, 85), left(40, 85), rightEnd(440, 85);
       c.seg(left, rightEnd, kBlue);
       Triangle(c, a, b, cc, kFillA);
       c.arc(a, cc, b, 32, 1, kRed);
       c.arc(b, left, a, 32, 1, kRed);
       c.arc(cc, b, a, 32, 2, kBlue);
       c.arc(b, cc, rightEnd, 32, 2, kBlue);
       c.arc(b, a, cc, 24, 1, kGreen);
       c.angleText(b, left, a, 50, "1", kRed, 16);
       c.angleText(b, a, cc, 44, "2", kGreen, 16);
       c.angleText(b, cc, rightEnd, 54, "3", kBlue, 16);
       c.name(P(450, 68), "a", kBlue);
       Dots(c, {{a, "A", {-14, 10}}, {b, "B", {0, -20}}, {cc, "C", {14, 10}}});
     }},
    {"s3_e3_1",
     [](Canvas& c) {
       const P a(50, 245), cc(330, 245), b = Apex(a, cc, 55, 50), d(455, 245);
       Triangle(c, a, b, cc, kFillA);
       c.seg(cc, d);
       c.arc(a, cc, b, 34, 1, kBlue);
       c.arc(b, a, cc, 30, 2, kBlue);
       c.arc(cc, d, b, 30, 1, kRed, 2.4);
       c.angleText(a, cc, b, 58, "55°", kBlue);
       c.angleText(b, a, cc, 58, "75°", kBlue);
       c.angleText(cc, d, b, 52, "130°", kRed);
       Dots(c, {{a, "A", {-12, 12}}, {b, "B", {0, -20}}, {cc, "C", {0, 22}}, {d, "D", {0, 22}}});
     }},
    {"s3_e4_1", [](Canvas& c) { Congruent(c, 1 | 2 | 8); }},
    {"s3_e4_2", [](Canvas& c) { Congruent(c, 1 | 8 | 16); }},
    {"s3_e4_3", [](Canvas& c) { Congruent(c, 1 | 2 | 4); }},
    {"s3_e5_1",
     [](Canvas& c) {
       const P a(80, 250), cc(400, 250), b(240, 50), d(240, 250);
       Triangle(c, a, b, cc, kFillA);
       c.dash(b, d, kBlue, 2);
       c.right(d, cc, b);
       c.ticks(a, b, 1);
       c.ticks(b, cc, 1);
       c.ticks(a, d, 2, kBlue);
       c.ticks(d, cc, 2, kBlue);
       c.arc(a, cc, b, 34, 1);
       c.arc(cc, b, a, 34, 1);
       c.arc(b, a, d, 40, 1, kGreen);
       c.arc(b, d, cc, 40, 1, kGreen);
       Dots(c, {{a, "A", {-14, 10}}, {b, "B", {0, -20}}, {cc, "C", {14, 10}}, {d, "D", {0, 22}}});
     }},
    {"s3_e6_1",
     [](Canvas& c) {
       const P a(70, 255), cc(360, 255), b = Apex(a, cc, 80, 40), h = Foot(b, a, cc);
       const qreal ab = Len(b - a), bc = Len(cc - b);
       const P l = Lerp(a, cc, ab / (ab + bc)), m = Mid(a, cc);
       Triangle(c, a, b, cc, kFillA);
       c.dash(b, h, kInk, 2);
       c.right(h, cc, b, 11);
       c.seg(b, l, kRed, 2.2);
       c.seg(b, m, kBlue, 2.2);
       c.ticks(a, m, 1, kBlue);
       c.ticks(m, cc, 1, kBlue);
       Dots(c, {{a, "A", {-16, 6}}, {b, "B", {0, -20}}, {cc, "C", {14, 8}}});
       Dots(c, {{h, "H", {-2, 22}}, {l, "L", {0, 22}}, {m, "M", {2, 22}}});
     }},
    {"s3_e7_1",
     [](Canvas& c) {
       const P a(70, 225), b(410, 225), cc(200, 65);
       c.poly({a, b, cc}, kFillA, kNone);
       c.seg(a, b, kBlue, 3);
       c.dash(a, cc, kRed, 2.4);
       c.dash(cc, b, kRed, 2.4);
       Dots(c, {{a, "A", {-14, 10}}, {b, "B", {14, 10}}, {cc, "C", {0, -20}}});
       c.text(P(240, 272), "AB < AC + CB", kInk, 18);
     }},
    {"s3_e8_1",
     [](Canvas& c) {
       const P cc(192, 185), b(288, 185), a(192, 113), n(72, -96);
       c.poly({cc, b, b + P(0, 96), cc + P(0, 96)}, kFillB);
       c.poly({a, cc, cc + P(-72, 0), a + P(-72, 0)}, kFillC);
       c.poly({a, b, b + n, a + n}, kFillA);
       Triangle(c, a, b, cc, kPaper);
       c.right(cc, a, b);
       c.text(Mid(cc, b) + P(0, 48), "16", kBlue, 22);
       c.text(Mid(a, cc) + P(-36, 0), "9", kGreen, 22);
       c.text(Mid(a, b) + n / 2, "25", kRed, 22);
       Dots(c, {{a, "A", {-14, -14}}, {b, "B", {16, 6}}, {cc, "C", {-14, 14}}});
     }},
    // --- Четырёхугольники ---
    {"s4_e1_1",
     [](Canvas& c) {
       const P a(60, 245), b(150, 65), cc(420, 65), d(330, 245), o = Mid(a, cc);
       Trapezoid(c, a, b, cc, d, kFillA);
       c.seg(a, cc, kBlue, 1.8);
       c.seg(b, d, kBlue, 1.8);
       c.ticks(a, o, 1, kBlue);
       c.ticks(o, cc, 1, kBlue);
       c.ticks(b, o, 2, kBlue);
       c.ticks(o, d, 2, kBlue);
       c.chevrons(a, d);
       c.chevrons(b, cc);
       c.chevrons(a, b, 2);
       c.chevrons(d, cc, 2);
       Dots(c, {{a, "A", {-14, 10}}, {b, "B", {-12, -14}}, {cc, "C", {14, -12}}, {d, "D", {14, 10}}});
       c.dot(o, "O", {0, 22}, kBlue);
     }},
    {"s4_e2_1",
     [](Canvas& c) {
       const P a(119, 245), b(119, 105), cc(361, 105), d(361, 245), o = Mid(a, cc);
       Trapezoid(c, a, b, cc, d, kFillA);
       c.seg(a, cc, kBlue, 1.8);
       c.seg(b, d, kBlue, 1.8);
       for (const auto& [v, p1, p2] : {std::tuple{a, b, d}, std::tuple{b, a, cc}, std::tuple{cc, b, d}, std::tuple{d, a, cc}})
         c.right(v, p1, p2, 12, kInk);
       c.arc(o, a, b, 26, 1, kRed);
       c.text(o + P(-50, 0), "60°", kRed, 15);
       for (const P& v : {a, b, cc, d}) c.ticks(o, v, 1, kBlue);
       Dots(c, {{a, "A", {-14, 10}}, {b, "B", {-14, -10}}, {cc, "C", {14, -10}}, {d, "D", {14, 10}}});
       c.dot(o, "O", {0, -22}, kBlue);
     }},
    {"s4_e3_1",
     [](Canvas& c) {
       const P o(240, 150), a(80, 150), cc(400, 150), b(240, 30), d(240, 270);
       Trapezoid(c, a, b, cc, d, kFillA);
       c.seg(a, cc, kBlue, 1.8);
       c.seg(b, d, kBlue, 1.8);
       c.right(o, cc, b);
       for (const auto& [p1, p2] : {std::pair{a, b}, std::pair{b, cc}, std::pair{cc, d}, std::pair{d, a}}) c.ticks(p1, p2, 1);
       c.text(Mid(a, o) + P(0, -14), "8", kBlue);
       c.text(Mid(b, o) + P(-12, 0), "6", kBlue);
       Dots(c, {{a, "A", {-16, 0}}, {b, "B", {0, -20}}, {cc, "C", {16, 0}}, {d, "D", {0, 20}}});
       c.dot(o, "O", {-14, 16}, kBlue);
     }},
    {"s4_e4_1",
     [](Canvas& c) {
       const P a(140, 250), b(140, 50), cc(340, 50), d(340, 250), o = Mid(a, cc);
       Trapezoid(c, a, b, cc, d, kFillA);
       c.seg(a, cc, kBlue, 1.8);
       c.seg(b, d, kBlue, 1.8);
       c.right(o, cc, d);
       c.arc(a, d, cc, 40, 1);
       c.angleText(a, d, cc, 60, "45°");
       for (const auto& [p1, p2] : {std::pair{a, b}, std::pair{b, cc}, std::pair{cc, d}, std::pair{d, a}}) c.ticks(p1, p2, 1);
       Dots(c, {{a, "A", {-14, 10}}, {b, "B", {-14, -10}}, {cc, "C", {14, -10}}, {d, "D", {14, 10}}});
       c.dot(o, "O", {0, -22}, kBlue);
     }},
    {"s4_e5_1",
     [](Canvas& c) {
       const P a(90, 240), b(180, 120), cc(300, 120), d(390, 240), h(180, 240);
       Trapezoid(c, a, b, cc, d, kFillA);
       c.dash(b, h, kBlue, 2);
       c.right(h, d, b);
       c.ticks(a, b, 1);
       c.ticks(cc, d, 1);
       c.text(Mid(b, cc) + P(0, -16), "4");
       c.text(Mid(h, d) + P(0, 18), "10");
       c.text(Mid(a, h) + P(0, 18), "3", kBlue);
       c.text(Outside(a, b, h, 16), "5");
       c.text(Mid(b, h) + P(12, 0), "h", kBlue, 19, true);
       Dots(c, {{a, "A", {-14, 8}}, {b, "B", {-10, -16}}, {cc, "C", {10, -16}}, {d, "D", {14, 8}}});
       c.dot(h, "H", {0, 22}, kBlue);
     }},
    {"s4_e6_1",
     [](Canvas& c) {
       const P a(60, 250), b(200, 50), cc(420, 250), m = Mid(a, b), n = Mid(b, cc);
       Triangle(c, a, b, cc, kFillA);
       c.seg(m, n, kBlue, 2.8);
       c.ticks(a, m, 1);
       c.ticks(m, b, 1);
       c.ticks(b, n, 2);
       c.ticks(n, cc, 2);
       c.chevrons(m, n, 1, kBlue);
       c.chevrons(a, cc, 1, kBlue);
       Dots(c, {{a, "A", {-14, 10}}, {b, "B", {0, -20}}, {cc, "C", {14, 10}}, {m, "M", {-16, -8}}, {n, "N", {16, -8}}});
     }},
    {"s4_e7_1",
     [](Canvas& c) {
       const P a(70, 240), d(390, 240), b(130, 100), cc(313, 100), m = Mid(a, b), n = Mid(cc, d);
       Trapezoid(c, a, b, cc, d, kFillA);
       c.seg(m, n, kBlue, 2.8);
       c.ticks(a, m, 1);
       c.ticks(m, b, 1);
       c.ticks(cc, n, 2);
       c.ticks(n, d, 2);
       c.text(Mid(b, cc) + P(0, -16), "8");
       c.text(Mid(a, d) + P(0, 18), "14");
       c.text(Mid(m, n) + P(0, -14), "11", kBlue);
       Dots(c, {{a, "A", {-14, 8}}, {b, "B", {-10, -16}}, {cc, "C", {10, -16}}, {d, "D", {14, 8}}});
       Dots(c, {{m, "M", {-18, 0}}, {n, "N", {18, 0}}});
     }},
    // --- Окружность ---
    {"s5_e1_1",
     [](Canvas& c) {
       const P o(240, 150);
       const qreal r = 118;
       const P cd1 = Polar(o, r, 200), cd2 = Polar(o, r, 20), rr = Polar(o, r, 105);
       const P a = Polar(o, r, 235), b = Polar(o, r, 315), h = Foot(o, a, b);
       c.circle(o, r, kInk, 2.4, kFillA);
       c.seg(cd1, cd2, kBlue);
       c.seg(o, rr, kGreen);
       c.seg(a, b, kRed);
       c.dash(o, h, kRed);
       c.right(h, b, o, 10);
       c.ticks(a, h, 1, kRed);
       c.ticks(h, b, 1, kRed);
       Dots(c, {{o, "O", {-8, -18}}, {cd1, "C", {-16, 4}}, {cd2, "D", {16, -4}}, {rr, "R", {-6, -18}}});
       Dots(c, {{a, "A", {-12, 14}}, {b, "B", {12, 14}}, {h, "H", {2, 20}}});
     }},
    {"s5_e2_1",
     [](Canvas& c) {
       const P o(150, 150), a(330, 150), b = Polar(o, 90, 60), cc = Polar(o, 90, -60);
       c.circle(o, 90, kInk, 2.4, kFillA);
       c.seg(a, b + Unit(b - a) * 60, kBlue);
       c.seg(a, cc + Unit(cc - a) * 60, kBlue);
       c.seg(o, b, kGreen);
       c.seg(o, cc, kGreen);
       c.dash(o, a);
       c.right(b, o, a, 11);
       c.right(cc, o, a, 11);
       c.ticks(a, b, 1, kBlue);
       c.ticks(a, cc, 1, kBlue);
       c.arc(a, b, cc, 40, 1);
       c.angleText(a, b, cc, 62, "60°");
       Dots(c, {{o, "O", {-16, 0}}, {a, "A", {18, 0}}, {b, "B", {-2, -20}}, {cc, "C", {-2, 20}}});
     }},
    {"s5_e3_1",
     [](Canvas& c) {
       const P o(240, 150);
       const qreal r = 120;
       const P a = Polar(o, r, 215), b = Polar(o, r, 325), cc = Polar(o, r, 100);
       c.circle(o, r, kInk, 2, kFillA);
       c.arc(o, a, b, r, 1, kBlue, 4);
       c.seg(o, a, kBlue);
       c.seg(o, b, kBlue);
       c.seg(cc, a, kRed);
       c.seg(cc, b, kRed);
       c.arc(o, a, b, 30, 1, kBlue);
       c.arc(cc, a, b, 40, 1, kRed);
       c.angleText(o, a, b, 50, "110°", kBlue);
       c.angleText(cc, a, b, 62, "55°", kRed);
       Dots(c, {{o, "O", {0, -20}}, {a, "A", {-16, 10}}, {b, "B", {16, 10}}, {cc, "C", {-6, -20}}});
     }},
    {"s5_e3_2",
     [](Canvas& c) {
       const P o(240, 150);
       const qreal r = 120;
       const P a = Polar(o, r, 180), b = Polar(o, r, 0), cc = Polar(o, r, 60);
       c.circle(o, r, kInk, 2, kFillA);
       c.seg(a, b, kBlue);
       c.seg(a, cc, kRed);
       c.seg(cc, b, kRed);
       c.right(cc, a, b, 14);
       Dots(c, {{o, "O", {0, 20}}, {a, "A", {-16, 0}}, {b, "B", {16, 0}}, {cc, "C", {8, -20}}});
     }},
    {"s5_e4_1",
     [](Canvas& c) {
       const P a(60, 250), b(170, 45), cc(420, 250), o = Incenter(a, b, cc), t = Foot(o, a, cc);
       const qreal r = Len(o - t);
       Triangle(c, a, b, cc, kFillA);
       c.circle(o, r, kBlue, 2.4, kPaper);
       for (const P& v : {a, b, cc}) c.dash(v, o, kInk, 1.4);
       c.seg(o, t, kGreen);
       c.right(t, cc, o, 10);
       c.text(Mid(o, t) + P(10, 0), "r", kGreen, 19, true);
       for (const P& f : {Foot(o, a, b), Foot(o, b, cc), t}) c.dot(f, "", {}, kBlue);
       Dots(c, {{a, "A", {-14, 8}}, {b, "B", {0, -20}}, {cc, "C", {14, 8}}, {o, "O", {-4, -18}}});
     }},
    {"s5_e5_1",
     [](Canvas& c) {
       const P o(240, 150);
       const qreal r = 125;
       const P a = Polar(o, r, 210), b = Polar(o, r, 100), cc = Polar(o, r, 335);
       c.circle(o, r, kInk, 2, kFillA);
       Triangle(c, a, b, cc, kPaper);
       for (const auto& [p1, p2] : {std::pair{a, b}, std::pair{b, cc}, std::pair{cc, a}}) {
         const P m = Mid(p1, p2);
         c.dash(m, Lerp(m, o, 1.45), kBlue, 1.6);
         c.right(m, p2, o, 9, kBlue);
       }
       c.seg(o, a, kGreen, 1.6);
       c.seg(o, b, kGreen, 1.6);
       c.seg(o, cc, kGreen, 1.6);
       Dots(c, {{a, "A", {-14, 10}}, {b, "B", {-6, -20}}, {cc, "C", {16, 6}}, {o, "O", {14, 12}}});
     }},
    {"s5_e6_1",
     [](Canvas& c) {
       const P o(240, 155);
       const qreal r = 120;
       std::vector<P> hexagon;
       for (int k = 0; k < 6; ++k) hexagon.push_back(Polar(o, r, 60 * k));
       c.circle(o, r, kInk, 2, kFillA);
       c.poly(hexagon, kNone, kBlue, 1.6, Qt::DashLine);
       const P a = Polar(o, r, 60), b = Polar(o, r, 120);
       c.arc(o, a, b, r, 1, kRed, 4.5);
       c.seg(o, a, kGreen);
       c.seg(o, b, kGreen);
       c.arc(o, a, b, 26, 1);
       c.angleText(o, a, b, 46, "60°");
       c.text(Mid(o, a) + P(16, 6), "R", kGreen, 19, true);
       Dots(c, {{o, "O", {0, 20}}, {a, "A", {10, -16}}, {b, "B", {-10, -16}}});
     }},
    // --- Площади ---
    {"s6_e1_1",
     [](Canvas& c) {
       const P a(115, 225), d(365, 225), cc(365, 75), b(115, 75);
       Trapezoid(c, a, b, cc, d, kFillA);
       for (int x = 1; x < 5; ++x) c.seg(a + P(50 * x, 0), b + P(50 * x, 0), kBlue, 1);
       for (int y = 1; y < 3; ++y) c.seg(a - P(0, 50 * y), d - P(0, 50 * y), kBlue, 1);
       Trapezoid(c, a, b, cc, d);
       c.text(Mid(a, d) + P(0, 22), "a = 5", kInk, 17);
       c.text(Mid(a, b) + P(-42, 0), "b = 3", kInk, 17);
       Dots(c, {{a, "A", {-12, 12}}, {b, "B", {-12, -12}}, {cc, "C", {12, -12}}, {d, "D", {12, 12}}});
     }},
    {"s6_e2_1",
     [](Canvas& c) {
       const P a(60, 235), d(330, 235), b(140, 90), cc(410, 90), h(140, 235), k(410, 235);
       c.poly({a, b, h}, kFillB, kNone);
       c.poly({h, b, cc, d}, kFillA, kNone);
       c.poly({d, cc, k}, kFillB, kBlue, 1.6, Qt::DashLine);
       Trapezoid(c, a, b, cc, d);
       c.dash(b, h, kInk, 2);
       c.right(h, d, b);
       c.right(k, d, cc);
       c.text(Mid(a, d) + P(0, 40), "a", kInk, 20, true);
       c.text(Mid(b, h) + P(12, 0), "h", kInk, 20, true);
       Dots(c, {{a, "A", {-14, 8}}, {b, "B", {-10, -16}}, {cc, "C", {10, -16}}, {d, "D", {0, 22}}});
       Dots(c, {{h, "H", {0, 22}}, {k, "K", {14, 10}}});
     }},
    {"s6_e3_1",
     [](Canvas& c) {
       const P a(50, 240), cc(290, 240), b(150, 80), d = b + cc - a, h(150, 240);
       Triangle(c, a, b, cc, kFillA);
       c.dash(b, d, kBlue, 2);
       c.dash(d, cc, kBlue, 2);
       c.seg(b, cc);
       c.dash(b, h, kInk, 2);
       c.right(h, cc, b);
       c.text(Mid(h, cc) + P(0, 22), "a", kInk, 20, true);
       c.text(Mid(b, h) + P(-12, 0), "h", kInk, 20, true);
       Dots(c, {{a, "A", {-14, 8}}, {b, "B", {-6, -18}}, {cc, "C", {14, 10}}, {d, "D", {10, -16}}, {h, "H", {0, 22}}});
     }},
    {"s6_e4_1",
     [](Canvas& c) {
       const P a(60, 240), d(420, 240), b(140, 90), cc(300, 90), k(300, 240);
       c.poly({a, b, d}, kFillA, kNone);
       c.poly({b, cc, d}, kFillB, kNone);
       Trapezoid(c, a, b, cc, d);
       c.seg(b, d, kBlue, 2);
       c.dash(cc, k, kInk, 2);
       c.right(k, d, cc);
       c.text(Mid(a, d) + P(0, 22), "a", kInk, 20, true);
       c.text(Mid(b, cc) + P(0, -18), "b", kInk, 20, true);
       c.text(Mid(cc, k) + P(-12, -30), "h", kInk, 20, true);
       Dots(c, {{a, "A", {-14, 8}}, {b, "B", {-10, -16}}, {cc, "C", {10, -16}}, {d, "D", {14, 8}}});
     }},
    {"s6_e5_1",
     [](Canvas& c) {
       const qreal r = 72, w = 2 * r * std::sin(qDegreesToRadians(15.0)), top = 110, x0 = 232;
       const P o(100, 150);
       for (int i = 0; i < 12; ++i) c.sector(o, r, 30 * i, 30, i % 2 ? kFillB : kFillA);
       c.dot(o, "", {});
       for (int i = 0; i < 12; ++i) {
         const int k = i / 2;
         if (i % 2 == 0)
           c.sector(P(x0 + k * w, top), r, 255, 30, kFillA);
         else
           c.sector(P(x0 + w / 2 + k * w, top + r * std::cos(qDegreesToRadians(15.0))), r, 75, 30, kFillB);
       }
       const qreal bottom = top + r;
       c.dim(P(x0 - w / 2, bottom), P(x0 + 5.5 * w, bottom), P(300, 0), 16, "πR");
       c.dim(P(x0 - w / 2 - 2, top), P(x0 - w / 2 - 2, bottom), P(300, 150), 14, "R");
       c.seg(o, Polar(o, r, 180), kBlue, 2.4);
       c.text(Mid(o, Polar(o, r, 180)) + P(0, -11), "R", kBlue, 18, true);
     }},
    {"s6_e6_1",
     [](Canvas& c) {
       const P a(110, 255), cc(362, 255), h(200, 255), b(200, 39);
       Triangle(c, a, b, cc, kFillA);
       c.dash(b, h, kBlue, 2);
       c.right(h, cc, b);
       c.text(Outside(a, b, cc, 16), "13");
       c.text(Outside(b, cc, a, 16), "15");
       c.text(Mid(a, cc) + P(0, 22), "14");
       c.text(Mid(a, h) + P(0, -12), "5", kBlue, 14);
       c.text(Mid(h, cc) + P(0, -12), "9", kBlue, 14);
       c.text(Mid(b, h) + P(14, 0), "12", kBlue, 15);
       Dots(c, {{a, "A", {-14, 8}}, {b, "B", {0, -18}}, {cc, "C", {14, 8}}, {h, "H", {-12, 18}}});
     }},
    // --- Подобие ---
    {"s7_e1_1",
     [](Canvas& c) {
       // Sides AB = 4, BC = 6, CA = 7; the second triangle is 1,5 times larger.
       const P shape(29.0 / 14, -std::sqrt(16 - (29.0 / 14) * (29.0 / 14)));
       const char* sides[2][3] = {{"4", "6", "7"}, {"6", "9", "10,5"}};
       for (int k = 0; k < 2; ++k) {
         const qreal s = k ? 36 : 24;
         const P a(k ? 214 : 16, 245), cc = a + P(7 * s, 0), b = a + shape * s, in = Incenter(a, b, cc);
         Triangle(c, a, b, cc, k ? kFillB : kFillA);
         c.arc(a, cc, b, 20, 1, kRed);
         c.arc(b, a, cc, 16, 2, kBlue);
         c.arc(cc, b, a, 30, 3, kGreen);
         c.text(Outside(a, b, in, 14), sides[k][0]);
         c.text(Outside(b, cc, in, 16), sides[k][1]);
         c.text(Outside(cc, a, in, 16), sides[k][2]);
         Dots(c, {{a, k ? "A₁" : "A", {0, 22}}, {b, k ? "B₁" : "B", {0, -20}}, {cc, k ? "C₁" : "C", {0, 22}}});
       }
     }},
    {"s7_e2_1",
     [](Canvas& c) {
       const P a(60, 250), cc(420, 250), b(180, 40), m = Lerp(b, a, 1.0 / 3), n = Lerp(b, cc, 1.0 / 3);
       Triangle(c, a, b, cc, kFillA);
       c.poly({m, b, n}, kFillB, kNone);
       Triangle(c, a, b, cc);
       c.seg(m, n, kBlue, 2.6);
       c.chevrons(m, n, 1, kBlue);
       c.chevrons(a, cc, 1, kBlue);
       c.arc(a, cc, b, 30, 1, kRed);
       c.arc(m, n, b, 22, 1, kRed);
       c.arc(b, a, cc, 22, 2, kGreen);
       c.text(Outside(b, m, cc, 16), "4");
       c.text(Outside(m, a, cc, 16), "8");
       c.text(Mid(a, cc) + P(0, 22), "15");
       Dots(c, {{a, "A", {-14, 8}}, {b, "B", {0, -20}}, {cc, "C", {14, 8}}, {m, "M", {-18, -4}}, {n, "N", {16, -6}}});
     }},
    {"s7_e3_1",
     [](Canvas& c) {
       const P a(45, 250), b(425, 250);
       P on[4] = {a}, cut[4] = {a};
       for (int k = 1; k <= 3; ++k) on[k] = Polar(a, 100 * k, 33);
       for (int k = 1; k <= 3; ++k) cut[k] = Lerp(a, b, k / 3.0);
       c.arrow(a, Polar(a, 380, 33), kInk, 2);
       c.seg(a, b, kInk, 2.6);
       c.seg(on[3], b, kBlue, 2);
       for (int k = 1; k <= 2; ++k) c.dash(on[k], cut[k], kBlue, 1.8);
       for (int k = 0; k < 3; ++k) {
         c.ticks(on[k], on[k + 1], 1, kRed);
         c.ticks(cut[k], cut[k + 1], 2, kGreen);
       }
       const char* upper[] = {"C₁", "C₂", "C₃"};
       const char* lower[] = {"D₁", "D₂"};
       for (int k = 1; k <= 3; ++k) c.dot(on[k], upper[k - 1], {-12, -16});
       for (int k = 1; k <= 2; ++k) c.dot(cut[k], lower[k - 1], {0, 22});
       Dots(c, {{a, "A", {-4, 22}}, {b, "B", {6, 22}}});
     }},
    {"s7_e4_1",
     [](Canvas& c) {
       const qreal unit = 55, hgt = unit * std::sqrt(3.0) / 2;
       const char* names[2][3] = {{"A", "B", "C"}, {"A₁", "B₁", "C₁"}};
       for (int k = 0; k < 2; ++k) {
         const int n = k ? 3 : 2;
         const P o(k ? 245 : 60, 235);
         for (int row = 0; row < n; ++row)
           for (int i = 0; i < n - row; ++i) {
             const P base = o + P(unit * (i + row / 2.0), -hgt * row);
             c.poly({base, base + P(unit, 0), base + P(unit / 2, -hgt)}, kFillA, kInk, 1.2);
             if (i + 1 < n - row)
               c.poly({base + P(unit, 0), base + P(unit / 2, -hgt), base + P(unit * 1.5, -hgt)}, kFillB, kInk, 1.2);
           }
         const P a = o, cc = o + P(unit * n, 0), b = o + P(unit * n / 2.0, -hgt * n);
         Triangle(c, a, b, cc);
         c.text(Mid(a, cc) + P(0, 22), k ? "3" : "2", kBlue, 17);
         c.text(b + P(0, -40), k ? "S = 9" : "S = 4", kRed, 17);
         Dots(c, {{a, names[k][0], {-12, 12}}, {b, names[k][1], {-20, -4}}, {cc, names[k][2], {12, 12}}});
       }
     }},
    {"s7_e5_1",
     [](Canvas& c) {
       const P a(84, 240), h(180, 240), b(396, 240), cc(180, 96);
       c.poly({a, cc, h}, kFillA);
       c.poly({h, cc, b}, kFillB);
       c.seg(cc, h, kBlue, 2.4);
       c.right(cc, a, b, 13, kInk);
       c.right(h, b, cc, 11, kBlue);
       c.arc(a, b, cc, 30, 1, kRed);
       c.arc(cc, h, b, 30, 1, kRed);
       c.arc(b, a, cc, 36, 2, kGreen);
       c.arc(cc, a, h, 36, 2, kGreen);
       c.text(Mid(a, h) + P(0, 20), "4");
       c.text(Mid(h, b) + P(0, 20), "9");
       c.text(Mid(cc, h) + P(-12, 18), "h", kBlue, 19, true);
       Dots(c, {{a, "A", {-14, 8}}, {b, "B", {14, 8}}, {cc, "C", {0, -20}}, {h, "H", {0, 22}}});
     }},
    {"s7_e6_1",
     [](Canvas& c) {
       const P a(90, 250), cc(330, 250), b(330, 70);
       Triangle(c, a, b, cc, kFillA);
       c.seg(a, b, kRed, 2.6);
       c.seg(b, cc, kBlue, 2.6);
       c.seg(a, cc, kGreen, 2.6);
       c.right(cc, a, b, 14, kInk);
       c.arc(a, cc, b, 40, 1, kInk);
       c.along(a, b, cc, 16, "гипотенуза", kRed);
       c.text(P(400, 150), "противолежащий", kBlue, 14);
       c.text(P(400, 168), "катет", kBlue, 14);
       c.text(Mid(a, cc) + P(0, 22), "прилежащий катет", kGreen, 14);
       c.text(P(108, 30), "sin A = BC : AB", kBlue, 15);
       c.text(P(108, 52), "cos A = AC : AB", kGreen, 15);
       c.text(P(108, 74), "tg A = BC : AC", kInk, 15);
       Dots(c, {{a, "A", {-14, 8}}, {b, "B", {14, -10}}, {cc, "C", {14, 10}}});
     }},
};

// --- the collection check --------------------------------------------------

QString ReadText(const QString& path, bool* ok) {
  QFile file(path);
  *ok = file.open(QIODevice::ReadOnly);
  QString text = QString::fromUtf8(file.readAll());
  if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  return text;
}

QString Attribute(const QString& element, const QString& name) {
  const QRegularExpression re(QStringLiteral("\\b%1\\s*=\\s*\"([^\"]*)\"").arg(name));
  const QRegularExpressionMatch match = re.match(element);
  return match.hasMatch() ? match.captured(1) : QString();
}

QString OnDisk(QString name) { return name.replace(QLatin1Char('\\'), QLatin1Char('/')); }

// Problems found; empty when the table, the catalogue and the pages agree.
QStringList CheckCollection(const QString& stage) {
  QStringList problems;
  const QDir root(stage);
  QSet<QString> drawn, catalogued, shown;
  for (const Figure& figure : kFigures) {
    const QString name = QString::fromUtf8(figure.name);
    if (drawn.contains(name)) problems << QStringLiteral("picture %1 is drawn twice").arg(name);
    drawn.insert(name);
  }

  bool ok = false;
  const QString catalogue = ReadText(root.filePath(QStringLiteral("topic.xml")), &ok);
  if (!ok) return {QStringLiteral("cannot read %1").arg(root.filePath(QStringLiteral("topic.xml")))};
  const QRegularExpression zetka(QStringLiteral("<zetka\\s[^>]*>"));
  for (auto it = zetka.globalMatch(catalogue); it.hasNext();) {
    const QString element = it.next().captured(0);
    const QString page = Attribute(element, QStringLiteral("html"));
    const QString file = Attribute(element, QStringLiteral("file"));
    bool counted = false;
    const int count = Attribute(element, QStringLiteral("count")).toInt(&counted);
    if (!QFile::exists(root.filePath(OnDisk(page)))) problems << QStringLiteral("topic.xml: no page %1").arg(page);
    if (!file.startsWith(QStringLiteral("pics\\")) || !counted || count < 1)
      problems << QStringLiteral("topic.xml: bad pictures in %1").arg(element);
    for (int n = 1; n <= count; ++n) catalogued.insert(QStringLiteral("%1_%2").arg(file.mid(5)).arg(n));
  }

  const QDir pages(root.filePath(QStringLiteral("pages")));
  const QRegularExpression picture(QStringLiteral("<img\\s[^>]*src=\"\\.\\./pics/([^\"]+)\\.jpg\""));
  const QRegularExpression link(QStringLiteral("<a\\s[^>]*href=\"([^\"$:#]+\\.html)(#[^\"]*)?\""));
  for (const QString& name : pages.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
    const QString text = ReadText(pages.filePath(name), &ok);
    if (!ok) problems << QStringLiteral("cannot read pages/%1").arg(name);
    for (auto it = picture.globalMatch(text); it.hasNext();) shown.insert(it.next().captured(1));
    for (auto it = link.globalMatch(text); it.hasNext();) {
      const QString target = it.next().captured(1);
      if (!QFile::exists(pages.filePath(target))) problems << QStringLiteral("pages/%1: no page %2").arg(name, target);
    }
  }

  const auto compare = [&problems](const QSet<QString>& left, const QSet<QString>& right, const char* what) {
    QStringList missing = (left - right).values();
    missing.sort();
    for (const QString& name : missing) problems << QStringLiteral("picture %1 %2").arg(name, QString::fromUtf8(what));
  };
  compare(catalogued, drawn, "is in topic.xml but not drawn");
  compare(shown, drawn, "is shown by a page but not drawn");
  compare(drawn, catalogued, "is drawn but not in topic.xml");
  compare(catalogued, shown, "is in topic.xml but no page shows it");
  return problems;
}

void Fail(const QString& message) { std::fprintf(stderr, "tobrina-drawpics: %s\n", message.toLocal8Bit().constData()); }

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 2) {
    Fail(QStringLiteral("usage: tobrina-drawpics STAGE"));
    return 2;
  }
  const QString stage = args.at(1);

  const QStringList problems = CheckCollection(stage);
  for (const QString& problem : problems) Fail(problem);
  if (!problems.isEmpty()) return 1;

  const QDir pics(QDir(stage).filePath(QStringLiteral("pics")));
  if (!pics.mkpath(QStringLiteral("."))) {
    Fail(QStringLiteral("cannot create %1").arg(pics.path()));
    return 1;
  }
  for (const Figure& figure : kFigures) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(kPaper);
    {
      Canvas canvas(image);
      figure.draw(canvas);
    }
    const QString path = pics.filePath(QString::fromUtf8(figure.name) + QStringLiteral(".jpg"));
    const std::optional<QByteArray> jpeg = tobrina::JpegFromBitmap(image, kQuality);
    QFile file(path);
    if (!jpeg || !file.open(QIODevice::WriteOnly) || file.write(*jpeg) != jpeg->size() || !file.flush()) {
      Fail(QStringLiteral("cannot write %1").arg(path));
      return 1;
    }
  }
  return 0;
}
