#include "app/app_state.h"

namespace orvex {

AppState& App() {
    static AppState state;
    return state;
}

} // namespace orvex
