'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { createPageLoads, keepsPage } = require('../../extension/lib/page-loads.js');

// Steps: ['load', tab] (a page load began), ['grant', tab, origin, doc, expected], ['forget', tab].
const timelines = [
  ['the first document of an origin runs, its later frames do not', [['load', 1], ['grant', 1, 'a', 1, true],
    ['grant', 1, 'a', 2, false], ['grant', 1, 'a', 3, false], ['grant', 1, 'a', 1, true]]],
  ['each origin has its own first', [['load', 1], ['grant', 1, 'a', 1, true], ['grant', 1, 'b', 2, true],
    ['grant', 1, 'b', 3, false]]],
  ['a new page load grants again', [['grant', 1, 'a', 1, true], ['grant', 1, 'a', 2, false], ['load', 1],
    ['grant', 1, 'a', 3, true], ['grant', 1, 'a', 1, false]]],
  ['tabs are apart', [['grant', 1, 'a', 1, true], ['grant', 2, 'a', 2, true], ['load', 2], ['grant', 1, 'a', 3, false]]],
  ['a closed tab is forgotten', [['grant', 1, 'a', 1, true], ['forget', 1], ['grant', 1, 'a', 2, true]]],
];
for (const [name, steps] of timelines) {
  test(`page loads: ${name}`, () => {
    const loads = createPageLoads();
    for (const [what, tab, origin, doc, expected] of steps) {
      if (what === 'load') loads.began(tab);
      else if (what === 'forget') loads.forget(tab);
      else assert.equal(loads.grant(tab, origin, doc), expected, `${origin} ${doc}`);
    }
  });
}

// [status, headers, keeps the page]
const responses = [
  [200, [], false],
  [204, [], true],
  [205, [], true],
  [200, [{ name: 'Content-Disposition', value: 'attachment; filename="x.pdf"' }], true],
  [200, [{ name: 'content-disposition', value: 'inline' }], false],
  [404, undefined, false],
];
responses.forEach(([status, headers, keeps], i) => {
  test(`page loads: response ${i + 1} (${status}) keeps the page: ${keeps}`, () => {
    assert.equal(keepsPage(status, headers), keeps);
  });
});
