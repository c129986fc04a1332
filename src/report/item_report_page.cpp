#include "report/item_report_page.h"

#include "text/sha256.h"

namespace lotwise {
namespace {

constexpr std::string_view kStyle = R"css(
:root{color-scheme:light dark;--fg:#1f2328;--bg:#fff;--muted:#59636e;--line:#d1d9e0;--head:#f6f1dc;--link:#0b57d0;--bar:#2f6fba;--dot:#c2410c;--c1:#1a7f37;--c2:#8250df;--c3:#bf3989;--c4:#59636e}
@media (prefers-color-scheme:dark){:root{--fg:#e6edf3;--bg:#0d1117;--muted:#9198a1;--line:#30363d;--head:#2b2618;--link:#7fb0ff;--bar:#5b9be6;--dot:#f0883e;--c1:#56d364;--c2:#bc8cff;--c3:#f778ba;--c4:#9198a1}}
body{margin:0;font:15px/1.45 system-ui,-apple-system,"Segoe UI",Roboto,sans-serif;color:var(--fg);background:var(--bg)}
a{color:var(--link)}
.banner{text-align:center;padding:8px 8px 0}
.banner img{max-width:100%;height:auto;border:0}
main{max-width:1180px;margin:0 auto;padding:0 16px 32px}
h1{font-size:1.5em;margin:.6em 0 .2em}
h2{font-size:1.15em;margin:1.2em 0 .4em}
.lead{margin:0 0 .8em;font-size:1.05em}
.facts{display:grid;grid-template-columns:max-content 1fr;gap:2px 14px;margin:0}
.facts dt{color:var(--muted)}
.facts dd{margin:0}
.demand{display:flex;flex-wrap:wrap;gap:18px;align-items:flex-start}
.demand figure{margin:0;flex:1 1 340px;max-width:560px}
.demand figcaption{font-weight:600;margin-bottom:4px}
svg{display:block;width:100%;height:auto}
svg text{font-size:11px;fill:var(--muted)}
svg .axis{stroke:var(--muted);stroke-width:1}
svg .grid{stroke:var(--line);stroke-width:1}
svg .bar{fill:var(--bar)}
svg .dots circle{fill:var(--dot);fill-opacity:.55;r:3px}
svg .dots .c1{fill:var(--c1)}svg .dots .c2{fill:var(--c2)}svg .dots .c3{fill:var(--c3)}svg .dots .c4{fill:var(--c4)}
svg a:hover circle,svg a:focus circle{fill-opacity:1;stroke:var(--fg)}
table{border-collapse:collapse}
caption{text-align:left;font-weight:600;padding-bottom:4px}
th,td{padding:5px 8px;border-bottom:1px solid var(--line);text-align:left;vertical-align:middle}
thead th{background:var(--head);white-space:nowrap}
.figures td{text-align:right}
.figures-box{max-width:100%;overflow-x:auto}
.csv{margin:1.2em 0 .6em}
#items,#items thead,#items tbody{display:block}
#items tr{display:grid;grid-template-columns:80px minmax(0,1fr) 8.5em 6em 15em;align-items:center;border-bottom:1px solid var(--line)}
#items th,#items td{border:0}
#items thead tr{background:var(--head)}
#items tbody tr{content-visibility:auto;contain-intrinsic-size:auto 75px}
#items td:nth-child(3),#items td:nth-child(4),#items th:nth-child(3),#items th:nth-child(4){text-align:right;white-space:nowrap}
#items img{display:block;width:64px;height:64px;object-fit:contain}
#items td:nth-child(2){overflow-wrap:anywhere}
.change{display:block;font-size:.85em;color:var(--muted)}
.change b{color:var(--c1)}
.ended{margin-top:1em}
.ended td:nth-child(2),.ended td:nth-child(3){text-align:right;white-space:nowrap}
#items tr:target{outline:2px solid var(--link);outline-offset:-2px}
th button{font:inherit;font-weight:600;color:inherit;background:none;border:0;padding:0;cursor:pointer}
th[aria-sort=ascending] button::after{content:" \25B2"}
th[aria-sort=descending] button::after{content:" \25BC"}
@media (max-width:40em){
main{padding:0 8px 24px}
.facts{grid-template-columns:1fr}
.facts dd{margin-bottom:4px}
#items thead tr{display:flex;flex-wrap:wrap;gap:2px 4px}
#items thead th{padding:4px 6px}
.figures{font-size:.8em}
.figures th,.figures td{padding:4px 4px;white-space:normal}
#items tbody tr{grid-template-columns:72px minmax(0,1fr) auto}
#items tbody td{padding:3px 6px}
#items td:nth-child(1){grid-row:1/4}
#items td:nth-child(2){grid-column:2/4}
#items td:nth-child(3),#items td:nth-child(4),#items th:nth-child(n){text-align:left}
#items td:nth-child(4){display:flex;flex-wrap:wrap;gap:0 .3em}
#items td:nth-child(4)::after{content:"bids";order:1}
#items td:nth-child(4) .change{order:2;flex-basis:100%}
#items td:nth-child(5){grid-column:2/4;color:var(--muted)}
}
@media print{
:root{--fg:#000;--bg:#fff;--muted:#333;--line:#999;--head:#eee;--link:#000;--bar:#555;--dot:#000;--c1:#444;--c2:#666;--c3:#888;--c4:#aaa}
body{font-size:10pt}
.csv{display:none}
#items tr{break-inside:avoid}
th button::after{content:none!important}
}
)css";

constexpr std::string_view kScript = R"js(
(function () {
  "use strict";
  var table = document.getElementById("items");
  if (!table || !table.tHead || !table.tBodies.length) return;
  var body = table.tBodies[0];
  var rows = Array.prototype.slice.call(body.rows);
  var heads = Array.prototype.slice.call(table.tHead.rows[0].cells);
  var names = { picture: "i", title: "t", price: "p", bids: "b", end: "e" };
  var keys = {};
  var shown = { key: "b", down: true };

  function keysOf(key) {
    if (keys[key]) return keys[key];
    var list = new Array(rows.length);
    for (var i = 0; i < rows.length; i++) {
      var cells = rows[i].cells;
      if (key === "i") {
        list[i] = cells[0].firstElementChild ? 0 : 1;
      } else if (key === "t") {
        list[i] = cells[1].textContent.toLowerCase();
      } else if (key === "b") {
        list[i] = parseInt(cells[3].textContent, 10);  // the count, before any mark
      } else if (key === "p") {
        var price = /^\d+(?:\.\d+)?(?= |$)/.exec(cells[2].textContent);  // before the currency
        list[i] = price ? Number(price[0]) : null;
      } else {
        var text = rows[i].getAttribute("data-" + key);
        var value = text === null || text === "" ? NaN : Number(text);
        list[i] = isNaN(value) ? null : value;
      }
    }
    keys[key] = list;
    return list;
  }

  function sort(key, down) {
    var list = keysOf(key);
    var order = new Array(rows.length);
    for (var i = 0; i < rows.length; i++) order[i] = i;
    order.sort(function (a, b) {
      var x = list[a], y = list[b];
      if (x === y) return a - b;
      if (x === null) return 1;
      if (y === null) return -1;
      return (x < y) === down ? 1 : -1;
    });
    var moved = document.createDocumentFragment();
    for (var j = 0; j < order.length; j++) moved.appendChild(rows[order[j]]);
    body.appendChild(moved);
    heads.forEach(function (head) {
      if (head.getAttribute("data-key") === key) {
        head.setAttribute("aria-sort", down ? "descending" : "ascending");
      } else {
        head.removeAttribute("aria-sort");
      }
    });
    shown = { key: key, down: down };
  }

  function nameOf(key) {
    for (var name in names) if (names[name] === key) return name;
    return "";
  }

  function sortByFragment() {
    var asked = /(?:^#|&)sort=(-?)([a-z]+)/.exec(location.hash);
    if (asked && names[asked[2]]) sort(names[asked[2]], asked[1] === "-");
  }

  heads.forEach(function (head) {
    var key = head.getAttribute("data-key");
    if (!key) return;
    var button = document.createElement("button");
    button.type = "button";
    while (head.firstChild) button.appendChild(head.firstChild);
    head.appendChild(button);
    button.addEventListener("click", function () {
      var down = shown.key === key ? !shown.down : key === "b";
      sort(key, down);
      try {
        history.replaceState(null, "", "#sort=" + (down ? "-" : "") + nameOf(key));
      } catch (ignored) {}
    });
  });
  window.addEventListener("hashchange", sortByFragment);
  sortByFragment();
})();
)js";

}  // namespace

std::string_view ItemReportStyle() { return kStyle; }

std::string_view ItemReportScript() { return kScript; }

std::string HashSource(std::string_view text) {
  const std::array<std::uint8_t, 32> digest = Sha256(text);
  return "sha256-" +
         Base64(std::string_view(reinterpret_cast<const char*>(digest.data()), digest.size()));
}

std::string ItemReportPolicy() {
  return "default-src 'none'; script-src '" + HashSource(kScript) + "'; style-src '" +
         HashSource(kStyle) + "'; img-src http: https:; base-uri 'none'; form-action 'none'";
}

}  // namespace lotwise
