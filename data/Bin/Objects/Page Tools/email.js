(function () {
  var link = document.getElementById("$(L0)");
  if (!link) return;
  var address = link.getAttribute("data-user") + "@" + link.getAttribute("data-domain");
  link.href = "mailto:" + address;
  link.textContent = address;
})();
