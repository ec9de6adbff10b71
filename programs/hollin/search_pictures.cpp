#include "programs/hollin/search_pictures.h"

#include "picture/html_page.h"
#include "picture/search_drawing.h"
#include "text/json_writer.h"

namespace hollin {

SearchPictureTexts search_picture_texts(const slope::Model& model, const search::CentreMap& map,
                                        const search::CriticalSearch& found, bool page) {
  const picture::SearchPicture drawn = picture::search_picture(model, map, found.top);
  SearchPictureTexts out{drawn.svg, {}};
  if (!page) return out;
  text::JsonWriter json;
  json.begin_object();
  json.key("title");
  json.string(model.title);
  json.key("cells");
  json.begin_array();
  for (const picture::PageCell& cell : drawn.cells) {
    json.begin_object();
    json.key("xc");
    json.number(cell.circle.xc);
    json.key("yc");
    json.number(cell.circle.yc);
    json.key("radius");
    json.number(cell.circle.radius);
    json.key("factor");
    json.number(cell.factor);
    json.key("arc");
    json.string(cell.arc);
    json.end_object();
  }
  json.end_array();
  json.key("top");
  json.begin_array();
  for (const search::Ranked& ranked : found.top) {
    json.begin_object();
    json.key("factor");
    json.number(ranked.trial.factor);
    json.end_object();
  }
  json.end_array();
  json.end_object();
  out.html = picture::search_page(model.title, drawn.svg, json.text());
  return out;
}

}  // namespace hollin
