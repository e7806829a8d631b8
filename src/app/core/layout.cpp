#include "app/core/layout.h"

namespace orvex {

MainLayout DesignLayout() {
    MainLayout l;
    l.list = {6, 8, 328, 112};
    l.status = {9, 127, 208, 16};
    l.note = {8, 144, 248, 32};
    l.browse = {195, 125, 56, 20};
    l.systemIcons = {259, 125, 72, 20};
    return l;
}

MainLayout LayOut(MainLayout l, int clientWidth, int outerHeight) {
    l.list.width = clientWidth - 2 * l.list.left;
    l.list.height = outerHeight - l.list.top - 70;
    l.systemIcons.left = l.list.left + l.list.width - l.systemIcons.width;
    l.systemIcons.top = l.list.top + l.list.height + 8;
    l.browse.left = l.systemIcons.left - l.browse.width - 8;
    l.browse.top = l.systemIcons.top;
    l.status.top = l.browse.top + 6;
    return l;
}

} // namespace orvex
