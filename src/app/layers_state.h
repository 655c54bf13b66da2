// The in-memory copy of the active drawing's layer table.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace app {

// One layer as last read from the drawing; fields in their declared order.
struct typLayerState {
    QString Name;
    bool LayerOn = false;
    bool Freeze = false;          // frozen in all viewports
    bool Lock = false;
    std::int32_t Color = 0;       // colour index number
    QString Linetype;
    std::int32_t Lineweight = 0;  // hundredths of a millimetre, -3 default
    QString PlotStyleName;
    bool Plottable = false;
    bool ViewportDefault = false; // frozen in new viewports
};

// gLayersState: elements 1 to n in the drawing's layer order (element i is
// the layer at position i - 1).  Replaced as a whole by every rebuild.
class LayersState {
public:
    // Upper bound: n, or 0 when the snapshot holds no layer.
    int UBound() const { return static_cast<int>(m_items.size()); }
    bool empty() const { return m_items.empty(); }

    // Element i, 1 <= i <= UBound().
    typLayerState &operator()(int i) { return m_items.at(static_cast<size_t>(i - 1)); }
    const typLayerState &operator()(int i) const { return m_items.at(static_cast<size_t>(i - 1)); }

    // Discards every element and creates elements 1 to n, empty.
    void ReDim(int n) { m_items.assign(static_cast<size_t>(n > 0 ? n : 0), typLayerState{}); }
    void Erase() { m_items.clear(); }

    // Elements 1 to n in order.
    std::vector<typLayerState>::const_iterator begin() const { return m_items.begin(); }
    std::vector<typLayerState>::const_iterator end() const { return m_items.end(); }

private:
    std::vector<typLayerState> m_items;
};

// The processing modes: which layer property the two lists stand for.
enum ExeMode : int {
    ModeDisplay = 0,   // LayerOn
    ModeFreeze = 1,    // Freeze
    ModeLock = 2,      // Lock
    ModePlot = 3,      // Plottable
    ModeNowFreeze = 4, // frozen in the current viewport, not held in the snapshot
    ModeNewFreeze = 5, // ViewportDefault
};
constexpr int kExeModeCount = 6;

// The property of one layer that a mode reads; false for ModeNowFreeze, whose
// property the snapshot cannot hold (callers leave both lists empty then).
bool modeProperty(const typLayerState &layer, int mode);

} // namespace app
