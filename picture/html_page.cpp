#include "picture/html_page.h"

#include "picture/search_drawing.h"
#include "picture/svg_writer.h"
#include "slope/json_shapes.h"
#include "text/json_writer.h"

namespace picture {
namespace {

constexpr std::string_view kStyle = R"(
body { margin: 0; font-family: "DejaVu Sans", Verdana, sans-serif; color: #222222; }
#info { padding: 6px 12px; min-height: 1.4em; font-size: 15px; background: #f2f2f2; }
svg { display: block; width: 100%; height: auto; max-width: 1600px; }
[data-i] { cursor: crosshair; }
[data-top] { cursor: pointer; }
path.lit { stroke: #000000; stroke-width: 5; stroke-dasharray: none; }
text.lit { font-weight: bold; }
)";

constexpr std::string_view kScript = R"(
(function () {
  'use strict';
  var errors = [];
  window.addEventListener('error', function (e) { errors.push(String(e.message)); });
  var data = JSON.parse(document.getElementById('search-data').textContent);
  var svg = document.querySelector('svg');
  var info = document.getElementById('info');
  var hover = document.createElementNS('http://www.w3.org/2000/svg', 'path');
  hover.setAttribute('fill', 'none');
  hover.setAttribute('stroke', '#000000');
  hover.setAttribute('stroke-width', '2.5');
  hover.setAttribute('stroke-dasharray', '6 3');
  hover.setAttribute('pointer-events', 'none');
  svg.appendChild(hover);
  function factorText(f) { return typeof f === 'number' ? f.toFixed(3) : '-'; }
  function showCell(i) {
    var c = data.cells[i];
    hover.setAttribute('d', c.arc);
    info.textContent = 'centre (' + c.xc.toFixed(2) + ', ' + c.yc.toFixed(2) + '), radius ' +
        c.radius.toFixed(2) + ': least factor ' + factorText(c.factor);
  }
  function showTop(k) {
    var lit = svg.querySelectorAll('.lit');
    for (var n = 0; n < lit.length; n++) lit[n].classList.remove('lit');
    var parts = svg.querySelectorAll('[data-top="' + k + '"]');
    for (var m = 0; m < parts.length; m++) parts[m].classList.add('lit');
    info.textContent = 'circle ' + (k + 1) + ' of the top list: factor ' +
        factorText(data.top[k].factor);
  }
  svg.addEventListener('pointerover', function (e) {
    var t = e.target;
    if (t.hasAttribute('data-i')) showCell(Number(t.getAttribute('data-i')));
    else if (t.hasAttribute('data-top')) showTop(Number(t.getAttribute('data-top')));
  });
  if (location.hash === '#selftest') {
    var result = {shown: '', expected: '', cell: -1};
    var cells = svg.querySelectorAll('[data-i]');
    for (var j = 0; j < cells.length; j++) {
      var box = cells[j].getBoundingClientRect();
      var x = box.left + box.width / 2, y = box.top + box.height / 2;
      if (document.elementFromPoint(x, y) !== cells[j]) continue;
      var i = Number(cells[j].getAttribute('data-i'));
      result.cell = i;
      result.expected = 'least factor ' + factorText(data.cells[i].factor);
      cells[j].dispatchEvent(new PointerEvent('pointerover',
          {bubbles: true, clientX: x, clientY: y, pointerType: 'mouse'}));
      result.shown = info.textContent;
      break;
    }
    result.resources = performance.getEntriesByType('resource').length;
    result.errors = errors;
    var pre = document.createElement('pre');
    pre.id = 'selftest';
    pre.textContent = JSON.stringify(result);
    document.body.appendChild(pre);
  }
})();
)";

}  // namespace

std::string script_safe_json(std::string_view json) {
  std::string out;
  out.reserve(json.size());
  for (const char c : json) {
    if (c == '<') {
      out += "\\u003c";
    } else {
      out += c;
    }
  }
  return out;
}

std::string search_page(std::string_view title, std::string_view svg, std::string_view data_json) {
  std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  page +=
      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
      "style-src 'unsafe-inline'; script-src 'unsafe-inline'\">\n";
  page += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
  append_escaped(page, title);
  page += "</title>\n<style>";
  page += kStyle;
  page += "</style>\n</head>\n<body>\n";
  page +=
      "<div id=\"info\" role=\"status\">Point at a centre to see its least factor and its "
      "circle; point at a circle of the top list to highlight it.</div>\n";
  page += svg;
  page += "<script type=\"application/json\" id=\"search-data\">";
  page += script_safe_json(data_json);
  page += "</script>\n<script>";
  page += kScript;
  page += "</script>\n</body>\n</html>\n";
  return page;
}

SearchPictureTexts search_picture_texts(const slope::Model& model, const search::CentreMap& map,
                                        const search::CriticalSearch& found,
                                        std::string_view method, bool composite, bool page) {
  const SearchPicture drawn = search_picture(model, map, found.top, method, composite);
  SearchPictureTexts out{drawn.svg, {}};
  if (!page) return out;
  text::JsonWriter json;
  json.begin_object();
  json.string_member("title", model.title);
  json.key("cells");
  json.begin_array();
  for (const PageCell& cell : drawn.cells) {
    json.begin_object();
    slope::write_circle_members(json, cell.circle);
    json.number_member("factor", cell.factor);
    json.string_member("arc", cell.arc);
    json.end_object();
  }
  json.end_array();
  json.key("top");
  json.begin_array();
  for (const search::Ranked& ranked : found.top) {
    json.begin_object();
    json.number_member("factor", ranked.trial.factor);
    json.end_object();
  }
  json.end_array();
  json.end_object();
  out.html = search_page(model.title, drawn.svg, json.text());
  return out;
}

}  // namespace picture
