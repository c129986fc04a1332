#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "sample-marketplace/catalog.h"
#include "sample-marketplace/image.h"
#include "sample-marketplace/marketplace.h"

namespace lotwise::sample {

// The pictures the pages and a report name, drawn here: no picture file is read.

// A photograph of the item for `/pict/<number>.jpg`, 160 by 120: an object on a table
// against a wall, its kind, colours and place chosen by the number alone.
Image ItemPicture(std::int64_t number);

// The "SOLD" marker of completed rows, `/pict/sold.gif`.
Image SoldMarker();

// What a result page of the site shows in place of a picture until it is scrolled to,
// `/pict/placeholder.gif`, 80 by 80: a plain light grey square.
Image PlaceholderPicture();

// The publisher's banner at the top of every report, `/adware/zadadorud.gif`, 468 by 60.
Image Banner();

// The picture at `path` as a PNG answer (whatever its name says, the type says PNG);
// nullopt when `path` names no picture, or the picture of an item there is none of.
std::optional<Reply> PictureReply(const std::vector<Item>& items, std::string_view path);

}  // namespace lotwise::sample
