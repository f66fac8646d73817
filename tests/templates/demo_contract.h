// A demo contract with a value in every field, unlike any text of a template.
#pragma once

#include <map>
#include <string>

namespace {

const std::map<std::string, std::string> kDemo = {
    {"KKK", "1"},
    {"KNomer", "0373200000126000017"},
    {"KPredmet", "капитальный ремонт кровли"},
    {"KObjekt", "здание школы № 5, г. Тверь, ул. Лесная, д. 3"},
    {"KZakaz", "ГБУ «Дирекция капитального строительства»"},
    {"KSumma", "12 450 000,00 руб."},
    {"KMetka", "x"},
    {"KDate", "15.01.2026"},
    {"KPodr", "ООО «СтройМонтаж»"},
    {"KDZakaz", "Директору"},
    {"KFZakaz", "Петрову П. П."},
    {"KDPodr", "Генеральный директор"},
    {"KFPodr", "И. И. Иванов"},
    {"KInfo", "ИНН 6950000000"},
    {"KDWork", "30.09.2026"},
    {"KDHidden", "устройство пароизоляции"},
    {"KWVS", "Государственный контракт"},
};

}  // namespace
