#include "core/reduction_state.h"

namespace ce {

void MarkerTables::create()
{
    star.assign(kCatalogueSlots + 1, Marker{0.0f, 0.0f, kStarMarkerSize, false});
    click.assign(kClickMarkers + 1, Marker{0.0f, 0.0f, kClickMarkerSize, false});
}

void MarkerTables::hideStars()
{
    for (std::size_t i = 1; i < star.size(); ++i)
        star[i].visible = false;
}

void MarkerTables::hideClicks()
{
    for (std::size_t i = 1; i < click.size(); ++i)
        click[i].visible = false;
}

}  // namespace ce
