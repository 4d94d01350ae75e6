#pragma once

// The card table engine: cards, piles, the table with its move journal, and the
// scroll box and buttons that go with it.
#include "engine/board.h"
#include "engine/board_button.h"
#include "engine/board_scroll_box.h"
#include "engine/card.h"
#include "engine/card_locations.h"
#include "engine/card_pictures.h"
#include "engine/deck.h"
#include "engine/engine_state.h"
#include "engine/journal_entry.h"
#include "engine/rule.h"
