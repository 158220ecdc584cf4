#pragma once
// Catalogue files for tests, written the way the update server writes them.
#include <optional>
#include <string>
#include <vector>

namespace qd::testing {

struct CatalogueProduct {
    std::string name;
    std::optional<std::string> version = "1";  // nothing: no "version" key
    std::string size = "10";
    std::optional<std::string> path = "";  // nothing: no "path" key
    std::string date = "2024-05-01";
};

inline std::string product_section(int number, const CatalogueProduct& product) {
    std::string text = "[product" + std::to_string(number) + "]\r\nname=" + product.name + "\r\n";
    if (product.version) text += "version=" + *product.version + "\r\n";
    text += "size=" + product.size + "\r\ndate=" + product.date + "\r\n";
    if (product.path) text += "path=" + *product.path + "\r\n";
    return text;
}

inline std::string catalogue_text(const std::vector<CatalogueProduct>& products, const std::string& general = "") {
    std::string text = "[general]\r\n" + general + "numberofproducts=" + std::to_string(products.size()) + "\r\n";
    for (std::size_t i = 0; i < products.size(); ++i) text += product_section(static_cast<int>(i) + 1, products[i]);
    return text;
}

}  // namespace qd::testing
