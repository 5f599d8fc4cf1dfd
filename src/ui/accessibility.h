#pragma once
// What a custom-painted control says to a screen reader, without the platform: a tree of parts
// (the control itself and its elements), each with a role, a name, a value, states, a
// rectangle in client coordinates and a default action, navigated and hit-tested through the
// control's own geometry. A control's model answers for every part on demand from the
// control's state, so that a control of a hundred thousand rows keeps no object per row. The
// Win32 backend turns a model into the system's accessibility interface and its events
// (ui/win32/accessible_object.h).
//
// Parts are named by ids: 0 is the control itself; every other id is the model's own and names
// the same part only until the control's content changes (a Reorder event says so).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/graphics.h"

namespace zv {

using AccessibleId = std::int32_t;
constexpr AccessibleId kAccessibleSelf = 0;
constexpr AccessibleId kAccessibleNone = -1;

// The kinds of part a screen reader announces.
enum class AccessibleRole { Client, Table, Row, ColumnHeader, Cell, CheckButton, Graphic };

// States of a part, as bits.
enum AccessibleState : std::uint32_t {
  asFocused = 1u << 0,
  asSelected = 1u << 1,
  asFocusable = 1u << 2,
  asSelectable = 1u << 3,
  asChecked = 1u << 4,
  asOffscreen = 1u << 5,
  asInvisible = 1u << 6,
};
using AccessibleStates = std::uint32_t;

// Directions of navigation: spatial ones, siblings in order, and a part's first and last child.
enum class AccessibleNav { Up, Down, Left, Right, Next, Previous, FirstChild, LastChild };

// What a control tells a screen reader as the user works with it.
enum class AccessibleEvent { Focus, Selection, StateChange, Reorder };
using AccessibleEventSink = std::function<void(AccessibleEvent, AccessibleId)>;

class AccessibleTree {
 public:
  virtual ~AccessibleTree() = default;

  // Whether the id names a part now.
  virtual bool Exists(AccessibleId id) const = 0;
  // kAccessibleNone for the control itself.
  virtual AccessibleId Parent(AccessibleId id) const = 0;
  virtual int ChildCount(AccessibleId id) const = 0;
  // The child at a 0-based index; kAccessibleNone outside 0 … ChildCount − 1.
  virtual AccessibleId Child(AccessibleId id, int index) const = 0;
  // The 0-based index of a part among its parent's children (-1 for the control itself).
  virtual int IndexInParent(AccessibleId id) const = 0;

  virtual AccessibleRole Role(AccessibleId id) const = 0;
  virtual std::u16string Name(AccessibleId id) const = 0;
  virtual std::u16string Value(AccessibleId id) const {
    (void)id;
    return {};
  }
  virtual std::u16string Description(AccessibleId id) const {
    (void)id;
    return {};
  }
  virtual AccessibleStates State(AccessibleId id) const = 0;
  // The part's rectangle in the control's client coordinates (it may lie outside the client
  // area: a part scrolled out of view keeps its place).
  virtual TRect Location(AccessibleId id) const = 0;
  // The default action's name; empty when the part has none.
  virtual std::u16string DefaultAction(AccessibleId id) const {
    (void)id;
    return {};
  }
  // Carries the default action out; false when the part has none.
  virtual bool DoDefaultAction(AccessibleId id) {
    (void)id;
    return false;
  }

  // The part reached from `from`; kAccessibleNone at an edge.
  virtual AccessibleId Navigate(AccessibleId from, AccessibleNav direction) const = 0;
  // The deepest part under a client point; kAccessibleNone outside the control.
  virtual AccessibleId HitTest(TPoint client) const = 0;
  // The part that has the keyboard focus; kAccessibleNone while the control has none.
  virtual AccessibleId Focus() const = 0;
  // The selected parts among the children of `id`.
  virtual std::vector<AccessibleId> Selection(AccessibleId id) const = 0;
};

}  // namespace zv
