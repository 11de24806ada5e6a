#pragma once
// What forms and controls share: geometry in twips, colours, font, mouse
// pointer, and the user's mouse and key events.
//
// Events are public std::function members named after the event; a window
// wires each one it handles to its own method in its constructor:
//
//     Command2.Click = [this] { Command2_Click(); };
//     Label19.MouseMove = [this](int Button, int Shift, double X, double Y) { ... };
//
// An unset handler means the window does not handle the event. Mouse
// positions are twips relative to the element (a form: its client area).
// Handlers run inside the form's handler scope, so a form that unloads itself
// from its own handler stays alive until the handler has returned.
//
// Test drivers (click(), mouseDown(), pressKey(), ...) act as the user would:
// they send the same Qt events a real mouse or keyboard sends, and do nothing
// (returning false) when the user could not reach the element: hidden,
// disabled, in a hidden container or an unshown, minimised or blocked window.

#include <QPointF>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "colors.h"
#include "picture.h"

namespace controls {

class Control;
class Form;

// MousePointer values.
enum MousePointerValue : int {
  vbDefault = 0,
  vbArrow = 1,
  vbCrosshair = 2,
  vbIbeam = 3,
  vbSizeNESW = 6,
  vbSizeNS = 7,
  vbSizeNWSE = 8,
  vbSizeWE = 9,
  vbUpArrow = 10,
  vbHourglass = 11,
  vbNoDrop = 12,
  vbArrowHourglass = 13,
  vbArrowQuestion = 14,
  vbSizeAll = 15,
  vbCustom = 99,  // the MouseIcon picture
};

class Element {
 public:
  virtual ~Element();
  Element(const Element&) = delete;
  Element& operator=(const Element&) = delete;

  const QString& Name() const { return name_; }

  // Geometry in twips: reading gives back exactly what was set.
  double Left() const { return left_; }
  double Top() const { return top_; }
  double Width() const { return width_; }
  double Height() const { return height_; }
  void setLeft(double left);
  void setTop(double top);
  void setWidth(double width);
  void setHeight(double height);
  void Move(double left, double top);
  void Move(double left, double top, double width, double height);

  bool Visible() const { return visible_; }
  virtual void setVisible(bool visible) = 0;
  bool Enabled() const { return enabled_; }
  virtual void setEnabled(bool enabled);

  OleColor BackColor() const { return backColor_; }
  void setBackColor(OleColor color);
  OleColor ForeColor() const { return foreColor_; }
  void setForeColor(OleColor color);

  QString FontName() const;
  void setFontName(const QString& name);
  double FontSize() const;  // points
  void setFontSize(double points);
  bool FontBold() const;
  void setFontBold(bool bold);
  bool FontItalic() const;
  void setFontItalic(bool italic);
  bool FontUnderline() const;
  void setFontUnderline(bool underline);

  int MousePointer() const { return mousePointer_; }
  void setMousePointer(int pointer);
  const Picture& MouseIcon() const { return mouseIcon_; }
  void setMouseIcon(const Picture& icon);

  // Events.
  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void(int Button, int Shift, double X, double Y)> MouseDown;
  std::function<void(int Button, int Shift, double X, double Y)> MouseMove;
  std::function<void(int Button, int Shift, double X, double Y)> MouseUp;
  // KeyCode and KeyAscii may be changed by the handler; 0 swallows the key.
  std::function<void(int& KeyCode, int Shift)> KeyDown;
  std::function<void(int& KeyCode, int Shift)> KeyUp;
  std::function<void(int& KeyAscii)> KeyPress;
  // A control in automatic drag mode was dropped here, at X, Y.
  std::function<void(Control& Source, double X, double Y)> DragDrop;

  // Test drivers; each returns false when the user could not have done it.
  // Without a point, clicks land in the middle of the element.
  bool click();
  bool click(double x, double y);
  bool dblClick();
  bool dblClick(double x, double y);
  bool mouseDown(int button = 1, int shift = 0, double x = 0, double y = 0);
  bool mouseMove(int button = 0, int shift = 0, double x = 0, double y = 0);
  bool mouseUp(int button = 1, int shift = 0, double x = 0, double y = 0);
  // Key down, the typed character (when the key has one) and key up.
  bool pressKey(int keyCode, int shift = 0);
  // Each character as typed on the keyboard.
  bool type(const QString& text);

  // Whether the user could point at it or type into it now.
  virtual bool acceptsUserInput() const = 0;
  virtual Form& form() = 0;
  QWidget* widget() const { return widget_; }

  // The element a widget belongs to (its own widget or one inside it).
  static Element* of(const QWidget* widget);

  // The event bridge calls these for the Qt events it translates; they
  // return true when the element took the event over from the widget.
  virtual bool userPress(int button, int shift, QPointF twips);
  virtual bool userRelease(int button, int shift, QPointF twips, bool inside);
  virtual bool userDoubleClick(int button, int shift, QPointF twips);
  virtual void userMove(int buttons, int shift, QPointF twips);
  // A key went down and the KeyDown and KeyPress handlers let it go on;
  // true when the element takes it from its widget.
  virtual bool userKeyDown(int keyCode, int shift);
  // `source` was dropped here, at `twips`.
  void userDrop(Control& source, QPointF twips);

 protected:
  Element(QString name, QWidget* widget);

  virtual void applyGeometry() = 0;
  // The palette roles BackColor and ForeColor paint.
  virtual QPalette::ColorRole backRole() const { return QPalette::Window; }
  virtual QPalette::ColorRole foreRole() const { return QPalette::WindowText; }
  virtual void applyColors();
  // Click after a press and release inside; kinds that raise Click from
  // their own change (buttons, lists, check boxes) say false.
  virtual bool clicksOnRelease() const { return true; }
  // Where a pointer at `twips` lands: the widget that gets the Qt event.
  virtual QWidget* inputWidgetAt(QPointF twips) const;

  void setVisibleFlag(bool visible) { visible_ = visible; }
  // Whether Left or Top was ever set (a window without a set place is
  // centred on the screen when it is first shown).
  bool positionSet() const { return positionSet_; }
  void setEnabledFlag(bool enabled) { enabled_ = enabled; }
  void setDefaultColors(OleColor back, OleColor fore);
  void applyPointer();
  // Adds another widget whose events belong to this element.
  void adoptWidget(QWidget* inner);

  // Raises an event handler inside the form's handler scope.
  void raise(const std::function<void()>& handler);
  void raiseMouse(const std::function<void(int, int, double, double)>& handler, int button, int shift,
                  QPointF twips);

 private:
  friend class EventBridge;
  void editFont(const std::function<void(QFont&)>& edit);
  bool sendMouse(int type, int button, int buttons, int shift, QPointF twips);
  bool sendKey(int type, int keyCode, int shift, const QString& text);

  QString name_;
  QPointer<QWidget> widget_;
  double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  OleColor backColor_ = vbButtonFace;
  OleColor foreColor_ = vbButtonText;
  bool colorsSet_ = false;
  int mousePointer_ = vbDefault;
  Picture mouseIcon_;
  bool pressed_ = false;
  bool positionSet_ = false;
};

}  // namespace controls
